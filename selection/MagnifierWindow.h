// The magnifier: a small popup beside the cursor that shows the frozen desktop around the hot spot
// enlarged two times, with a crosshair, the position and the colour of the pixel under the cursor.
#pragma once

#include <functional>

#include "framework/Afx.h"
#include "framework/Popup.h"
#include "res/resource.h"

class CMagnifierWindow : public CPopupWindow {
public:
    CMagnifierWindow() : CPopupWindow(IDD_POPUP) {}

    // Made hidden, showing snapshot (the desktop as it was at start, which the caller keeps until after
    // the magnifier is gone; null: nothing to show). Its keys go to takeKey.
    BOOL CreateHidden(const CDC* snapshot, std::function<bool(const MSG*)> takeKey);
    // Moves beside the cursor and shows, without taking the keyboard.
    void ShowBesideCursor();
    void Hide() { ShowWindow(SW_HIDE); }
    // Paints the magnifier for the cursor's present position into pDC, at the window's present size.
    void DrawMagnifier(CDC* pDC);
    // The same for the cursor at `cursor` (desktop coordinates).
    void DrawMagnifier(CDC* pDC, POINT cursor);
    // The position and colour lines' font: the small dialog font at the size it has on a desktop of
    // 96 DPI, so that both lines fit the panel on a scaled desktop too. Made at the first use.
    CFont& InfoFont();

protected:
    BOOL OnInitDialog() override;
    void OnClose();
    void OnPaint();

    DECLARE_MESSAGE_MAP()

private:
    void DrawCrosshair(CDC* pDC);
    void DrawInfo(CDC* pDC, COLORREF colour, POINT pt);

    const CDC* m_pSnapshot = nullptr;
    // The virtual screen, read when the window is made: where the snapshot lies on the desktop.
    CRect m_rcScreen;
    CRect m_rcWindow;
    // The pointer the window was last placed beside: its paint shows that point.
    POINT m_ptPlaced = {0, 0};
    CFont m_fontInfo;
};
