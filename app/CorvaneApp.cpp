// Process start-up: the common controls, then the capture dialog run modally (GDI+ starts at its first
// use, once the capture shows). The process ends when the capture does.
#include "app/CorvaneApp.h"

#include "capture/CorvaneDlg.h"

BOOL CCorvaneApp::InitInstance() {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    CWinAppEx::InitInstance();
    SetRegistryKey(L"应用程序向导生成的本地应用程序");

    // A capture that ends without a quit request (the dialog's own Enter or Esc) produced nothing.
    m_nExitCode = 1;
    {
        CCorvaneDlg dlg;
        m_pMainWnd = &dlg;
        dlg.DoModal();
        m_pMainWnd = nullptr;
    }
    return FALSE;
}
