// The keyboard and style handling the capture's popups share.
#include "framework/Popup.h"

BOOL CPopupWindow::PreTranslateMessage(MSG* pMsg) {
    if (m_takeKey && m_takeKey(pMsg)) return TRUE;
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) ::PostQuitMessage(1);
    return CDialog::PreTranslateMessage(pMsg);
}

void CPopupWindow::AddExStyle(DWORD dwExStyle) {
    const DWORD current = static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_EXSTYLE));
    if ((current & dwExStyle) != dwExStyle) ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, static_cast<LONG>(current | dwExStyle));
}
