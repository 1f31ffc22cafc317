// The magnifier: a small popup beside the cursor that shows the frozen desktop around the hot spot
// enlarged two times, with a crosshair, the position and the colour of the pixel under the cursor.
#pragma once

#include "framework/Afx.h"
#include "framework/Popup.h"
#include "res/resource.h"

class CMagnifierWindow : public CPopupWindow {
public:
    CMagnifierWindow() : CPopupWindow(IDD_POPUP) {}

    // Paints the magnifier for the cursor's present position into pDC, at the window's present size.
    void DrawMagnifier(CDC* pDC);
    // The position and colour lines' font: the small dialog font at the size it has on a desktop of
    // 96 DPI, so that both lines fit the panel on a scaled desktop too. Made at the first use.
    CFont& InfoFont();

    // The desktop as it was at start: the capture window's frozen screen, which that window owns and
    // keeps until after the magnifier is gone. Null, the magnifier has nothing to show.
    const CDC* m_pSnapshot = nullptr;

protected:
    BOOL OnInitDialog() override;
    void OnClose();
    void OnPaint();

    DECLARE_MESSAGE_MAP()

private:
    void DrawCrosshair(CDC* pDC);
    void DrawInfo(CDC* pDC, COLORREF colour, POINT pt);

    // The virtual screen, read when the window is made: where the snapshot lies on the desktop.
    CRect m_rcScreen;
    CRect m_rcWindow;
    CFont m_fontInfo;
};
