// The view: the frozen screen (the one and only read of the live desktop) and the buffer the capture
// window shows, composed from it dimmed outside a rectangle. The dimming's source pixel and the table of
// what the platform's blend makes of each byte live here too.
#pragma once

#include <optional>
#include <vector>

#include "capture/logic/Dimming.h"
#include "framework/Afx.h"

// What the view buffer was last composed as, so that a mouse step recomposes only what changes.
enum ViewKind { VIEW_NONE, VIEW_SELECTION, VIEW_HOVER };
struct ViewShown {
    int nKind = VIEW_NONE;
    RECT rc = {0, 0, 0, 0};  // the selection or the hovered rectangle
    size_t nShapes = 0;      // the marks drawn over a selection view
};

class View {
public:
    // Freezes the virtual screen and makes the buffer of its size in pWindow's format; false when either
    // does not fit in memory.
    bool Freeze(CWnd* pWindow);
    // The dimming's black pixel and its table, learnt from the platform's blend.
    void PrepareDimming();
    // The orderly close lets go of the frozen screen (with its bitmap); later compositions then leave
    // the buffer as it is.
    void ReleaseFrozen();

    // The virtual screen on the desktop, and its size: the view's coordinates run from (0, 0).
    const RECT& Screen() const { return m_rcScreen; }
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }
    RECT Bounds() const { return RECT{0, 0, m_cx, m_cy}; }
    // The buffer, composed as the window's view first if the window's hover view is not in it yet.
    CBitmapDC& Buffer();
    // The frozen screen: null DC once released.
    const CBitmapDC& Frozen() const { return m_dcScreen; }

    // The buffer becomes the frozen screen, dimmed outside rc (within area only, when given).
    void CopyDimmedOutside(const RECT& rc) { CopyDimmedOutside(rc, Bounds()); }
    void CopyDimmedOutside(const RECT& rc, const RECT& area);

    // The hover view: the frozen screen dimmed outside rc, with rc outlined (the outline reaches
    // kHoverReach pixels either way of its edges). ComposeHover composes its part `area` into pTarget,
    // the buffer or the window's paint DC (both in the view's coordinates), the outline clipped to area.
    static constexpr int kHoverReach = 3;
    void ComposeHover(CDC* pTarget, const RECT& rc, const RECT& area);
    // The window shows the hover view for rc, painted straight from the frozen screen where it changes
    // (one write of each changed pixel, where the buffer and then the window took two). The buffer keeps
    // what it held and is composed as that view only when it is next asked for; a user's hover steps
    // never ask, as the selection view that follows them is composed whole. Without the frozen screen
    // the buffer is composed (with what is left of it) at once and the window copies it as before.
    void ShowHoverOnWindow(const RECT& rc);
    // Whether the window's view is the hover view painted straight, rather than a copy of the buffer.
    bool HoverPaintedStraight() const { return m_hoverNotInBuffer.has_value(); }
    // Paints that view into pDC (the window's paint DC) within areas; false, painting nothing, when the
    // window's view is the buffer's.
    bool PaintHoverStraight(CDC* pDC, const std::vector<RECT>& areas);
    // The buffer becomes the hover view for rc, whatever the window shows.
    void ComposeHoverIntoBuffer(const RECT& rc);
    // The plain form of the dimming, blending every band outside rc through GDI: the pixels the pixel
    // pass must give.
    void DimOutside(HDC dc, const RECT& rc);
    // Whether the dimming goes through the table (the fast pass) rather than the platform's blend; both
    // give the same pixels. The table is used only when it could be made.
    bool DimsWithTable() const { return m_bDimTable; }
    void DimWithTable(bool bOn) { m_bDimTable = bOn && m_bDimTableMade; }
    const CBitmap& DimPixel() const { return m_bmpDimPixel; }

private:
    void DimInto(CDC* pTarget, const RECT& rc, const RECT& area);
    void BlendDim(HDC dc, const RECT& rc);
    void MakeDimTable();

    RECT m_rcScreen = {0, 0, 0, 0};
    int m_cx = 0;
    int m_cy = 0;
    CBitmapDC m_dcScreen;
    CBitmapDC m_dcView;
    CBitmap m_bmpDimPixel;
    // Dimmed rows go through the strip into the view; the table's first row is learnt in it.
    CBitmapDC m_dcDimStrip;
    dimming::DimTable m_dimTable = {};
    bool m_bDimTableMade = false;
    bool m_bDimTable = false;
    // The table is plain rounding, which a faster pass computes.
    bool m_bDimRounded = false;
    // The hovered rectangle whose view the window shows painted straight and the buffer does not hold.
    std::optional<RECT> m_hoverNotInBuffer;
};
