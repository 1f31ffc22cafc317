// The capture window's life: construction, initialisation (freezing the screen, the dimming source, the
// text box), the foreground timer, the About box, the orderly close and the teardown.
#include "capture/CorvaneDlg.h"

#include <thread>

#include "app/AboutDlg.h"
#include "capture/logic/ViewRules.h"
#include "palette/PointerWindow.h"
#include "selection/MagnifierWindow.h"

namespace {
const wchar_t kTextFace[] = L"新宋体";
const wchar_t kTitle[] = L"Corvane";
const wchar_t kNoMemoryText[] = L"无法截取屏幕：内存不足。";
constexpr int kExitNoMemory = 2;
}  // namespace

CCorvaneDlg::CCorvaneDlg(CWnd* pParent)
    : CDialog(IDD_CAPTURE, pParent),
      m_hIcon(::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME))),
      m_windowFinder(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)) {
    m_fontLarge.CreatePointFont(200, kTextFace);
    m_fontMedium.CreatePointFont(160, kTextFace);
    m_fontSmall.CreatePointFont(130, kTextFace);
}

CCorvaneDlg::~CCorvaneDlg() {
    delete m_pColorIndicator;
    m_pColorIndicator = nullptr;
    delete m_pMagnifier;
    m_pMagnifier = nullptr;
    m_shapes.clear();
    if (m_hDimBitmap) {
        AfxDeleteGdiObject(m_hDimBitmap);
        m_hDimBitmap = nullptr;
    }
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
    CreateDimBitmap();
    CreateDimTable();
    AfxPhaseDone("dimming");
    CreateTextEdit();
    ComposeView();
    AfxPhaseDone("first composition");
    // The bars, the magnifier and the pointer are all hidden at first: they are made once the frozen
    // screen is on the window (or as soon as input comes), not before.

    MoveWindow(m_rcScreen.left, m_rcScreen.top, m_cxScreen, m_cyScreen, TRUE);
    SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetTimer(TIMER_FOREGROUND, FOREGROUND_PERIOD_MS);
    m_nForegroundTicks = 0;
    return TRUE;
}

void CCorvaneDlg::CreateChildWindows() {
    if (m_bChildWindowsMade) return;
    m_bChildWindowsMade = true;
    // Made while the capture is already up, a popup dialog takes the activation as it is made; the
    // keyboard stays with the capture.
    const bool bActive = ::GetActiveWindow() == m_hWnd;
    CreateToolBars();
    CreateMagnifier();
    CreateColorIndicator();
    if (bActive && ::GetActiveWindow() != m_hWnd) ::SetActiveWindow(m_hWnd);
    AfxPhaseDone("child windows");
}

void CCorvaneDlg::InitCaptureState() {
    m_shapeCurrent.nKind = SHAPE_NONE;
    m_crColor = 0x000000FF;
    m_windowFinder.CollectWindows();  // the desktop as it is now, before the capture window shows
    ::SetRectEmpty(&m_rcSelection);
    m_hAccel = ::LoadAcceleratorsW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_ACCELERATOR));
}

bool CCorvaneDlg::CaptureScreen() {
    m_cxScreen = ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
    m_cyScreen = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    m_rcScreen.left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
    m_rcScreen.top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    m_rcScreen.right = m_rcScreen.left + m_cxScreen;
    m_rcScreen.bottom = m_rcScreen.top + m_cyScreen;

    m_windowFinder.m_cxScreen = m_cxScreen;
    m_windowFinder.m_cyScreen = m_cyScreen;
    m_windowFinder.m_rcScreen = m_rcScreen;

    m_cxPrimary = ::GetSystemMetrics(SM_CXSCREEN);
    m_cyPrimary = ::GetSystemMetrics(SM_CYSCREEN);

    {
        CWindowDC dcDesktop(::GetDesktopWindow());
        if (!m_dcScreen.CreateDib(&dcDesktop, m_cxScreen, m_cyScreen)) return false;
    }
    CPaintDC dcWindow(this);  // only the reference for the view buffer's format
    if (!m_dcView.Create(&dcWindow, m_cxScreen, m_cyScreen)) return false;
    // A new bitmap's memory is made on its first touch, which costs about a frame copy of time: the view's
    // is touched on the side while the screen is read. The view is composed only after both are done.
    std::thread touch([this] { ::PatBlt(m_dcView, 0, 0, m_cxScreen, m_cyScreen, BLACKNESS); ::GdiFlush(); });
    // The one and only read of the live screen: everything later is painted from this copy.
    ReadDesktopArea(&m_dcScreen, m_rcScreen.left, m_rcScreen.top);
    touch.join();
    return true;
}

void CCorvaneDlg::CreateDimBitmap() {
    if (m_hDimBitmap) return;
    CDC dcTemp;
    dcTemp.CreateCompatibleDC(&m_dcScreen);
    m_hDimBitmap = ::CreateCompatibleBitmap(m_dcScreen, 1, 1);
    AfxGdiObjectMade(m_hDimBitmap);
    HGDIOBJ old = dcTemp.SelectObject(m_hDimBitmap);
    CBrush black(0x00000000);
    RECT px = {0, 0, 1, 1};
    dcTemp.FillRect(&px, &black);
    dcTemp.SelectObject(old);
}

void CCorvaneDlg::CreateTextEdit() {
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL;
    m_edit.Create(style, RECT{600, 100, 700, 130}, this, IDC_TEXT_EDIT);
    m_edit.SetFont(&m_fontMedium, FALSE);
    m_edit.ShowWindow(SW_HIDE);
}

void CCorvaneDlg::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == TIMER_CHILD_WINDOWS) {
        ::KillTimer(m_hWnd, TIMER_CHILD_WINDOWS);
        CreateChildWindows();
        return;
    }
    if (nIDEvent == TIMER_FOREGROUND && ForegroundTickForces(m_nForegroundTicks)) {
        ++m_nForegroundTicks;
        ForceForeground();
    }
    Default();
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

void CCorvaneDlg::OnClose() {
    delete m_pMagnifier;
    m_pMagnifier = nullptr;
    m_dcScreen.DeleteDC();  // with its bitmap
    ClearShapes();  // back to the initial state; its recomposition finds no frozen screen
    ::PostQuitMessage(0);
    Default();
}
