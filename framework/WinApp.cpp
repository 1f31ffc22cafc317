// The application object's registration and the process entry's work.
#include "framework/WinApp.h"

#include "framework/Wnd.h"

namespace {
CWinAppEx* g_pApp = nullptr;
}  // namespace

CWinAppEx::CWinAppEx() { g_pApp = this; }

CWinAppEx::~CWinAppEx() {
    if (g_pApp == this) g_pApp = nullptr;
}

CWinAppEx* AfxGetApp() { return g_pApp; }

HINSTANCE AfxGetResourceHandle() {
    return g_pApp && g_pApp->m_hInstance ? g_pApp->m_hInstance : ::GetModuleHandleW(nullptr);
}

HWND AfxOwnerWindow(CWnd* pParent, const void* self) {
    if (pParent) return pParent->m_hWnd;
    CWnd* main = g_pApp ? g_pApp->m_pMainWnd : nullptr;
    return main && main != self ? main->m_hWnd : nullptr;
}

void AfxRecordQuit(int nExitCode) {
    if (g_pApp) g_pApp->m_nExitCode = nExitCode;
}

int AfxWinMain(HINSTANCE hInstance) {
    CWinAppEx* app = AfxGetApp();
    if (!app) return -1;
    app->m_hInstance = hInstance;
    // The program does all its work inside InitInstance (a modal dialog) and asks for no message loop
    // after it, so none is run.
    app->InitInstance();
    return app->ExitInstance();
}
