// The magnifier: a small popup beside the cursor that shows the frozen desktop around the hot spot
// enlarged two times, with a crosshair, the position and the colour of the pixel under the cursor.
#pragma once

#include <functional>

#include "framework/Afx.h"
#include "res/resource.h"

class CCMagnifyDlg : public CDialog {
public:
    CCMagnifyDlg() : CDialog(IDD_POPUP) {}

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Takes the virtual screen's geometry and makes the window layered and opaque.
    void TakeSnapshot();
    void DrawMagnifier(CDC* pDC);
    void DrawCrosshair(CDC* pDC);
    void DrawInfo(CDC* pDC, COLORREF colour, POINT pt);
    // The position and colour lines' font: the small dialog font at the size it has on a desktop of
    // 96 DPI, so that both lines fit the panel on a scaled desktop too. Made at the first use.
    CFont& InfoFont();

    int m_cxScreen = 0;
    int m_cyScreen = 0;
    int m_xScreen = 0;
    int m_yScreen = 0;
    // The desktop as it was at start: the capture window's frozen screen, which that window owns and
    // keeps until after the magnifier is gone. Null, the magnifier has nothing to show.
    const CDC* m_pSnapshot = nullptr;
    CRect m_rcWindow;
    CFont m_fontInfo;
    // The capture's handling of the keys that end it (held down, they end it when they come up), for a
    // key that reaches this window; true when it took the key.
    std::function<bool(const MSG*)> m_takeEndingKey;

protected:
    BOOL OnInitDialog() override;
    void OnClose();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnPaint();
    void OnMouseMove(UINT nFlags, CPoint point);

    DECLARE_MESSAGE_MAP()
};
