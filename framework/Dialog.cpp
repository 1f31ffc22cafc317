// Dialog creation from templates and the modal loop.
#include "framework/Dialog.h"

#include "framework/WinApp.h"

namespace {
// Nesting of modal loops (the About box runs inside the capture's loop).
int g_nModalDepth = 0;
}  // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT msg, WPARAM, LPARAM lParam) {
    // Only the first message matters here: bind the object, then every later message goes through the
    // subclass procedure and the message map; the dialog manager's own defaults stay in force.
    if (msg != WM_INITDIALOG) return FALSE;
    auto* self = reinterpret_cast<CDialog*>(lParam);
    self->SubclassWindow(hWnd);
    return self->OnInitDialog();
}

HWND CDialog::CreateFromTemplate(UINT nIDTemplate, HWND hWndOwner) {
    return ::CreateDialogParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDTemplate), hWndOwner,
                                &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
    m_nIDTemplate = nIDTemplate;
    m_pParentWnd = pParentWnd;
    return CreateFromTemplate(nIDTemplate, AfxOwnerWindow(m_pParentWnd, this)) != nullptr;
}

INT_PTR CDialog::DoModal() {
    HWND hWndOwner = AfxOwnerWindow(m_pParentWnd, this);
    const bool disableOwner = hWndOwner && ::IsWindowEnabled(hWndOwner);
    if (disableOwner) ::EnableWindow(hWndOwner, FALSE);

    m_bEndModal = false;
    m_nModalResult = -1;
    m_bInModalLoop = true;
    HWND hWnd = CreateFromTemplate(m_nIDTemplate, hWndOwner);
    if (hWnd) {
        if (!m_bEndModal && !::IsWindowVisible(hWnd)) ::ShowWindow(hWnd, SW_SHOWNORMAL);
        RunModalLoop();
        if (::IsWindow(hWnd)) ::DestroyWindow(hWnd);
    }
    m_bInModalLoop = false;
    // The dialog may have asked to quit and then ended itself (an orderly close, or a dialog that could
    // not start and ended during its creation): keep that code.
    MSG msg;
    if (g_nModalDepth == 0 && ::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        AfxRecordQuit(static_cast<int>(msg.wParam));
    }

    if (disableOwner) {
        ::EnableWindow(hWndOwner, TRUE);
        ::SetActiveWindow(hWndOwner);
    }
    return m_nModalResult;
}

void CDialog::RunModalLoop() {
    ++g_nModalDepth;
    MSG msg;
    while (!m_bEndModal) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            // A quit request ends every modal loop; the outer ones see it again.
            AfxRecordQuit(static_cast<int>(msg.wParam));
            if (g_nModalDepth > 1) ::PostQuitMessage(static_cast<int>(msg.wParam));
            m_nModalResult = -1;
            break;
        }
        if (got == -1) break;
        if (!AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    --g_nModalDepth;
}

void CDialog::EndDialog(int nResult) {
    if (m_bInModalLoop) {
        m_nModalResult = nResult;
        m_bEndModal = true;
    }
    if (m_hWnd) ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd)) return FALSE;
    return ::IsDialogMessageW(m_hWnd, pMsg);
}
