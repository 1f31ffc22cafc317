// Hands the result image to the clipboard and ends the capture.
#include "capture/CorvaneDlg.h"

void CCorvaneDlg::CopyResultToClipboard() {
    // No image (no selection, or one too small to hold any pixel): the user's clipboard is left alone
    // and the capture goes on.
    if (!m_bmpResult.GetSafeHandle()) return;
    // Another program holds the clipboard: the capture stays as it is, so the user can try again.
    if (!::OpenClipboard(m_hWnd)) return;
    ::EmptyClipboard();
    const bool placed = ::SetClipboardData(CF_BITMAP, m_bmpResult.GetSafeHandle()) != nullptr;
    // From here on the bitmap belongs to the system.
    if (placed) m_bmpResult.Detach();
    ::CloseClipboard();
    if (placed) OnClose();
}
