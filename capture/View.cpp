// Freezing the screen and dimming it into the view buffer.
#include "capture/View.h"

#include <algorithm>
#include <thread>
#include <vector>

#include "capture/logic/ViewRules.h"

namespace {
// Outside the selection the frozen screen shows at 155/255 of its brightness: black blended at 100/255.
constexpr BYTE kDimAlpha = 100;
// Outline of the window under the cursor: 3 pixels of light sky blue.
constexpr int kHoverPenWidth = 3;
constexpr COLORREF kHoverColor = 0x00E7AD37;
static_assert(View::kHoverReach == kHoverPenWidth, "the outline reaches its pen's width either way at most");
// Rows dimmed at a time on their way into the view.
constexpr int kDimStripRows = 32;
}  // namespace

bool View::Freeze(CWnd* pWindow) {
    m_cx = ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
    m_cy = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    m_rcScreen.left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
    m_rcScreen.top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    m_rcScreen.right = m_rcScreen.left + m_cx;
    m_rcScreen.bottom = m_rcScreen.top + m_cy;
    {
        CWindowDC dcDesktop(::GetDesktopWindow());
        if (!m_dcScreen.CreateDib(&dcDesktop, m_cx, m_cy)) return false;
    }
    CPaintDC dcWindow(pWindow);  // only the reference for the view buffer's format
    if (!m_dcView.Create(&dcWindow, m_cx, m_cy)) return false;
    // A new bitmap's memory is made on its first touch, which costs about a frame copy of time: the view's
    // is touched on the side while the screen is read. The view is composed only after both are done.
    std::thread touch([this] { ::PatBlt(m_dcView, 0, 0, m_cx, m_cy, BLACKNESS); ::GdiFlush(); });
    // The one and only read of the live screen: everything later is painted from this copy.
    ReadDesktopArea(&m_dcScreen, m_rcScreen.left, m_rcScreen.top);
    touch.join();
    return true;
}

void View::PrepareDimming() {
    if (!m_bmpDimPixel.GetSafeHandle()) {
        // One pixel, made even when memory is short: it is not one of the large buffers that may not fit.
        m_bmpDimPixel.Attach(::CreateCompatibleBitmap(m_dcScreen, 1, 1));
        CDC dcTemp;
        dcTemp.CreateCompatibleDC(&m_dcScreen);
        CSelectScope pixel(&dcTemp, &m_bmpDimPixel);
        CBrush black(0x00000000);
        RECT px = {0, 0, 1, 1};
        dcTemp.FillRect(&px, &black);
    }
    MakeDimTable();
}

void View::MakeDimTable() {
    // What the blend makes of every byte value, read back from the blend itself on a row of 256 pixels
    // (pixel v is v in all four bytes): the pixel pass then gives exactly the blended pixels. The row is
    // the first of the strip that dimmed rows pass through on their way into the view.
    m_bDimTable = m_bDimTableMade = false;
    if (!m_dcDimStrip.CreateDib(&m_dcScreen, std::max(m_cx, 256), kDimStripRows)) return;  // blend instead
    DWORD* px = m_dcDimStrip.Pixels();
    for (DWORD v = 0; v < 256; ++v) px[v] = v * 0x01010101u;
    BlendDim(m_dcDimStrip, RECT{0, 0, 256, 1});
    ::GdiFlush();
    for (int channel = 0; channel < 4; ++channel)
        for (int v = 0; v < 256; ++v) m_dimTable.level[channel][v] = static_cast<uint8_t>(px[v] >> (8 * channel));
    m_bDimRounded = dimming::IsRounded(m_dimTable, kDimAlpha);
    m_bDimTable = m_bDimTableMade = true;
}

void View::ReleaseFrozen() {
    Buffer();  // the buffer holds the view the window shows before its source goes
    m_dcScreen.DeleteDC();
}

CBitmapDC& View::Buffer() {
    if (m_hoverNotInBuffer) {
        const RECT rc = *m_hoverNotInBuffer;
        m_hoverNotInBuffer.reset();
        ComposeHover(&m_dcView, rc, Bounds());
    }
    return m_dcView;
}

void View::CopyDimmedOutside(const RECT& rc, const RECT& area) {
    if (rect::Equal(rect::Intersection(area, Bounds()), Bounds())) {
        m_hoverNotInBuffer.reset();  // all of it is composed again
    } else {
        Buffer();  // a part is recomposed over the rest, which must be up to date
    }
    DimInto(&m_dcView, rc, area);
}

void View::ShowHoverOnWindow(const RECT& rc) {
    if (m_dcScreen.GetSafeHdc()) {
        m_hoverNotInBuffer = rc;
    } else {
        m_hoverNotInBuffer.reset();
        ComposeHover(&m_dcView, rc, Bounds());
    }
}

void View::ComposeHover(CDC* pTarget, const RECT& rc, const RECT& area) {
    DimInto(pTarget, rc, area);
    // The outline is drawn whole but lands only inside the area: outside it the target keeps it as it was
    // drawn over the same pixels.
    const int saved = ::SaveDC(*pTarget);
    ::IntersectClipRect(*pTarget, area.left, area.top, area.right, area.bottom);
    {
        CPen pen(PS_SOLID, kHoverPenWidth, kHoverColor);
        CSelectScope withPen(pTarget, &pen);
        CSelectScope hollow = CSelectScope::Stock(pTarget, NULL_BRUSH);
        pTarget->Rectangle(&rc);
    }
    ::RestoreDC(*pTarget, saved);
}

void View::ComposeHoverIntoBuffer(const RECT& rc) {
    m_hoverNotInBuffer.reset();
    ComposeHover(&m_dcView, rc, Bounds());
}

bool View::PaintHoverStraight(CDC* pDC, const std::vector<RECT>& areas) {
    if (!m_hoverNotInBuffer) return false;
    for (const RECT& area : areas) {
        const RECT part = rect::Intersection(area, Bounds());
        if (!rect::IsEmpty(part)) ComposeHover(pDC, *m_hoverNotInBuffer, part);
    }
    return true;
}

void View::DimInto(CDC* pTarget, const RECT& rc, const RECT& area) {
    // After the orderly close the frozen screen is gone; there is nothing left to copy.
    if (!m_dcScreen.GetSafeHdc()) return;
    const std::vector<RECT> bands = DimBands(rc, m_cx, m_cy);
    if (!m_bDimTable) {
        pTarget->BitBlt(area.left, area.top, rect::Width(area), rect::Height(area), &m_dcScreen, area.left, area.top,
                        SRCCOPY);
        for (const RECT& band : bands) {
            const RECT part = rect::Intersection(band, area);
            if (!rect::IsEmpty(part)) BlendDim(*pTarget, part);
        }
        return;
    }
    const RECT clear = rect::Intersection(ClearArea(rc, m_cx, m_cy), area);
    if (!rect::IsEmpty(clear)) {
        pTarget->BitBlt(clear.left, clear.top, rect::Width(clear), rect::Height(clear), &m_dcScreen, clear.left,
                        clear.top, SRCCOPY);
    }
    // The view stays a bitmap of the display's kind, which the marks are drawn on exactly as they are on
    // the window; so dimmed rows are made in the strip and copied in from there, a few dozen at a time
    // (the same way onto the window itself).
    const uint32_t* screen = reinterpret_cast<const uint32_t*>(m_dcScreen.Pixels());
    uint32_t* strip = reinterpret_cast<uint32_t*>(m_dcDimStrip.Pixels());
    const size_t stride = static_cast<size_t>(m_cx), stripStride = static_cast<size_t>(m_dcDimStrip.PixelsWidth());
    for (const RECT& band : bands) {
        const RECT part = rect::Intersection(band, area);
        if (rect::IsEmpty(part)) continue;
        const size_t n = static_cast<size_t>(part.right - part.left);
        for (LONG top = part.top; top < part.bottom; top += kDimStripRows) {
            const LONG rows = std::min<LONG>(kDimStripRows, part.bottom - top);
            ::GdiFlush();  // the strip's last copy into the view is done before its pixels are rewritten
            for (LONG y = 0; y < rows; ++y) {
                const uint32_t* from = screen + (top + y) * stride + part.left;
                uint32_t* to = strip + y * stripStride + part.left;
                if (m_bDimRounded) {
                    dimming::DimPixelsRounded(from, to, n, kDimAlpha);
                } else {
                    dimming::DimPixels(from, to, n, m_dimTable);
                }
            }
            pTarget->BitBlt(part.left, top, static_cast<int>(n), rows, &m_dcDimStrip, part.left, 0, SRCCOPY);
        }
    }
}

void View::BlendDim(HDC dc, const RECT& rc) {
    CDC dcTarget(dc);
    CDC dcDim;
    dcDim.CreateCompatibleDC(&dcTarget);
    CSelectScope pixel(&dcDim, &m_bmpDimPixel);
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, kDimAlpha, 0};
    ::AlphaBlend(dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, dcDim, 0, 0, 1, 1, blend);
}

void View::DimOutside(HDC dc, const RECT& rc) {
    for (const RECT& band : DimBands(rc, m_cx, m_cy)) BlendDim(dc, band);
}
