// The magnifier: a small popup beside the cursor that shows the frozen desktop around the hot spot
// enlarged two times, with a crosshair, the position and the colour of the pixel under the cursor.
#pragma once

#include "framework/Afx.h"
#include "res/resource.h"

class CCMagnifyDlg : public CDialog {
public:
    CCMagnifyDlg() : CDialog(IDD_POPUP) {}

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Copies the virtual screen once and makes the window layered and opaque.
    void TakeSnapshot();
    void DrawMagnifier(CDC* pDC);
    void DrawCrosshair(CDC* pDC);
    void DrawInfo(CDC* pDC, COLORREF colour, POINT pt);

    int m_cxScreen = 0;
    int m_cyScreen = 0;
    int m_xScreen = 0;
    int m_yScreen = 0;
    CBitmapDC m_dcSnapshot;  // the desktop as it was at start, in a DC that owns its bitmap
    CRect m_rcWindow;

protected:
    BOOL OnInitDialog() override;
    void OnClose();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnPaint();
    void OnMouseMove(UINT nFlags, CPoint point);

    DECLARE_MESSAGE_MAP()
};
