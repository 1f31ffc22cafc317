// The capture window's side of the magnifier: creating it hidden and keeping it beside the cursor
// while the user looks for a region.
#include "capture/CorvaneDlg.h"

#include "selection/MagnifierWindow.h"
#include "selection/logic/MagnifierGeometry.h"

void CCorvaneDlg::CreateMagnifier() {
    m_pMagnifier = new CMagnifierWindow();
    m_pMagnifier->m_pSnapshot = &m_view.Frozen();  // one frozen screen for the view and the magnifier
    m_pMagnifier->m_takeEndingKey = [this](const MSG* pMsg) { return TakeEndingKey(pMsg); };
    m_pMagnifier->Create(IDD_POPUP, nullptr);
    m_pMagnifier->ShowWindow(SW_HIDE);
}

void CCorvaneDlg::MoveMagnifier() {
    if (!m_pMagnifier) return;
    // Without the frozen screen (after the orderly close) the magnifier has nothing to show.
    if (!m_bShowMagnifier || m_phase.FixedRegion() || !m_view.Frozen().GetSafeHdc()) {
        m_pMagnifier->ShowWindow(SW_HIDE);
        return;
    }
    POINT cursor;
    ::GetCursorPos(&cursor);
    const RECT rc = magnifier::PlaceBesideCursor(cursor, m_view.Screen());
    m_pMagnifier->MoveWindow(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
    // Shown without activation: the keyboard stays with the capture window, so Enter and Esc keep
    // ending the capture while the magnifier follows the cursor.
    m_pMagnifier->ShowWindow(SW_SHOWNOACTIVATE);
    m_pMagnifier->Invalidate(FALSE);
    m_pMagnifier->UpdateWindow();
}

void CCorvaneDlg::HideMagnifier() {
    if (m_pMagnifier) m_pMagnifier->ShowWindow(SW_HIDE);
}
