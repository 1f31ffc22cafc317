// The capture window's life: construction, initialisation (freezing the screen, the dimming source, the
// text box), taking the foreground, the About box and the teardown.
#include "capture/CorvaneDlg.h"

#include "capture/AboutDlg.h"
#include "capture/logic/ViewRules.h"
#include "palette/logic/Palette.h"

namespace {
const wchar_t kTitle[] = L"Corvane";
const wchar_t kNoMemoryText[] = L"无法截取屏幕：内存不足。";
constexpr int kExitNoMemory = 2;
}  // namespace

CCorvaneDlg::CCorvaneDlg(CWnd* pParent)
    : CDialog(IDD_CAPTURE, pParent),
      m_hIcon(::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME))),
      m_windowFinder(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)) {}

CCorvaneDlg::~CCorvaneDlg() {
    m_magnifier.reset();
    m_marks.Clear();
}

BOOL CCorvaneDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    if (HMENU hSysMenu = GetSystemMenu(FALSE)) {
        wchar_t about[128] = {};
        ::LoadStringW(AfxGetResourceHandle(), IDS_ABOUTBOX, about, static_cast<int>(std::size(about)));
        if (about[0] != L'\0') {
            ::AppendMenuW(hSysMenu, MF_SEPARATOR, 0, nullptr);
            ::AppendMenuW(hSysMenu, MF_STRING, IDM_ABOUTBOX, about);
        }
    }
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    InitCaptureState();
    AfxPhaseDone("window walk");
    if (!CaptureScreen()) {
        // All the overlay could show is black: say why and end before the window is ever shown.
        ::MessageBoxW(nullptr, kNoMemoryText, kTitle, MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
        ::PostQuitMessage(kExitNoMemory);
        EndDialog(kExitNoMemory);
        DestroyWindow();
        return FALSE;
    }
    AfxPhaseDone("screen copy");
    m_view.PrepareDimming();
    AfxPhaseDone("dimming");
    m_textBox.Create(this, IDC_TEXT_EDIT, m_marks.Fonts().ForSize(SIZE_MEDIUM), POINT{m_view.Screen().left, m_view.Screen().top});
    ComposeView();
    AfxPhaseDone("first composition");
    // The bars, the magnifier and the pointer are all hidden at first: they are made once the frozen
    // screen is on the window (or as soon as input comes), not before.

    MoveWindow(m_view.Screen().left, m_view.Screen().top, m_view.Width(), m_view.Height(), TRUE);
    SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetTimer(TIMER_FOREGROUND, FOREGROUND_PERIOD_MS);
    m_nForegroundTicks = 0;
    return TRUE;
}

void CCorvaneDlg::InitCaptureState() {
    m_windowFinder.CollectWindows();  // the desktop as it is now, before the capture window shows
    m_selection.Clear();
    m_hAccel = ::LoadAcceleratorsW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_ACCELERATOR));
}

bool CCorvaneDlg::CaptureScreen() {
    const bool frozen = m_view.Freeze(this);
    m_windowFinder.m_cxScreen = m_view.Width();
    m_windowFinder.m_cyScreen = m_view.Height();
    m_windowFinder.m_rcScreen = m_view.Screen();
    return frozen;
}

void CCorvaneDlg::ForceForeground() {
    HWND hForeground = ::GetForegroundWindow();
    if (hForeground == m_hWnd) return;
    // Windows only lets the foreground thread hand the foreground over, so borrow its input queue for
    // the one call.
    const DWORD foregroundThread = ::GetWindowThreadProcessId(hForeground, nullptr);
    const DWORD ownThread = ::GetCurrentThreadId();
    ::AttachThreadInput(foregroundThread, ownThread, TRUE);
    ::SetForegroundWindow(m_hWnd);
    ::AttachThreadInput(foregroundThread, ownThread, FALSE);
}

void CCorvaneDlg::OnSysCommand(UINT nID, LPARAM) {
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
    } else {
        Default();
    }
}

HCURSOR CCorvaneDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

void CCorvaneDlg::OnCloseCommand() { ::PostQuitMessage(1); }
