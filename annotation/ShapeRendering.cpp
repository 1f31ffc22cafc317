// Drawing shape records onto a DC: outlines, arrows and strokes antialiased with GDI+, text with GDI.
// Every call makes its own GDI+ objects and releases them before it returns, so a drawing depends only
// on the record, the selection and the fonts.
#include "capture/CorvaneDlg.h"

#include <objidl.h>
#include <gdiplus.h>

#include <array>

#include "annotation/logic/Drawing.h"

namespace {

Gdiplus::Color ShapeColor(COLORREF cr) { return Gdiplus::Color(255, GetRValue(cr), GetGValue(cr), GetBValue(cr)); }

}  // namespace

void CCorvaneDlg::DrawShape(CDC* pDC, const CShape& shape) { DrawShapeAt(pDC, shape, POINT{0, 0}); }

void CCorvaneDlg::DrawShapeAt(CDC* pDC, const CShape& shape, POINT origin) {
    using namespace Gdiplus;
    // GDI+ draws in view coordinates; the DC's pixel (0, 0) shows the view's point origin.
    auto onDC = [&](Graphics& graphics) {
        graphics.TranslateTransform(static_cast<REAL>(-origin.x), static_cast<REAL>(-origin.y));
        graphics.SetSmoothingMode(SmoothingModeHighQuality);
    };
    switch (shape.nKind) {
    case SHAPE_RECT:
    case SHAPE_ELLIPSE: {
        // Kept within the selection inset by 3; a figure with nothing left there is not drawn.
        RECT d;
        if (!drawing::FigureBox(shape.ptFrom, shape.ptTo, m_rcSelection, &d)) return;
        Graphics graphics(pDC->GetSafeHdc());
        onDC(graphics);
        Pen pen(ShapeColor(shape.crColor), static_cast<REAL>(shape.nSize));
        const REAL x = static_cast<REAL>(d.left), y = static_cast<REAL>(d.top);
        const REAL w = static_cast<REAL>(d.right - d.left), h = static_cast<REAL>(d.bottom - d.top);
        if (shape.nKind == SHAPE_RECT) {
            graphics.DrawRectangle(&pen, x, y, w, h);
        } else {
            graphics.DrawEllipse(&pen, x, y, w, h);
        }
        return;
    }
    case SHAPE_ARROW: {
        const auto corners = drawing::ArrowPolygon(shape.ptFrom, shape.ptTo, shape.nSize);
        std::array<PointF, corners.size()> points;
        for (size_t i = 0; i < corners.size(); ++i) points[i] = PointF(corners[i].x, corners[i].y);
        Graphics graphics(pDC->GetSafeHdc());
        onDC(graphics);
        SolidBrush brush(ShapeColor(shape.crColor));
        graphics.FillPolygon(&brush, points.data(), static_cast<INT>(points.size()), FillModeAlternate);
        return;
    }
    case SHAPE_PEN: {
        if (shape.points.size() < 2) return;
        Graphics graphics(pDC->GetSafeHdc());
        onDC(graphics);
        Pen pen(ShapeColor(shape.crColor), static_cast<REAL>(shape.nSize));
        graphics.SetPixelOffsetMode(PixelOffsetModeHighQuality);
        // Separate segments with flat caps, not one joined path.
        for (size_t i = 1; i < shape.points.size(); ++i) {
            const POINT a = shape.points[i - 1], b = shape.points[i];
            graphics.DrawLine(&pen, static_cast<REAL>(a.x), static_cast<REAL>(a.y), static_cast<REAL>(b.x),
                              static_cast<REAL>(b.y));
        }
        return;
    }
    case SHAPE_TEXT: {
        RECT box;
        RectFromPoints(shape.ptFrom, shape.ptTo, &box);
        ::OffsetRect(&box, -origin.x, -origin.y);
        const COLORREF oldColor = pDC->SetTextColor(shape.crColor);
        const int oldMode = pDC->SetBkMode(TRANSPARENT);
        HGDIOBJ oldFont = pDC->SelectObject(GetFontForSize(shape.nSize));
        pDC->DrawText(shape.strShown.empty() ? shape.strText : shape.strShown, &box, DT_WORDBREAK | DT_EDITCONTROL);
        pDC->SelectObject(oldFont);
        pDC->SetBkMode(oldMode);
        pDC->SetTextColor(oldColor);
        return;
    }
    default:
        return;
    }
}

void CCorvaneDlg::DrawAllShapes(CDC* pDC) {
    if (rect::IsEmpty(m_rcSelection)) return;
    for (const auto& shape : m_shapes) DrawShape(pDC, *shape);
}
