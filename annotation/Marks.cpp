// The marks and the four drag tools. A left drag inside the selection previews an arrow, a rectangle or
// an ellipse over the view, or paints a freehand stroke straight onto the window, and the release commits
// one shape. Drawing uses GDI+ for outlines, arrows and strokes (antialiased) and GDI for text; every call
// makes its own GDI+ objects and releases them before it returns.
#include "annotation/Marks.h"

#include <objidl.h>
#include <gdiplus.h>

#include <array>
#include <utility>

#include "annotation/logic/Drawing.h"
#include "framework/GdiplusSession.h"
#include "palette/logic/Palette.h"
#include "selection/logic/SelectionGeometry.h"

namespace {

const wchar_t kTextFace[] = L"新宋体";
// The drawing cursor; a platform without it gets the crosshair.
constexpr WORD kDrawCursorId = 32631;

void SetDrawCursor() {
    HCURSOR cursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(kDrawCursorId));
    if (!cursor) cursor = ::LoadCursorW(nullptr, IDC_CROSS);
    ::SetCursor(cursor);
}

CShape MakeShape(int nKind, const ToolContext& ctx, POINT from, POINT to, std::vector<POINT> points = {}) {
    CShape shape;
    shape.nKind = nKind;
    shape.nSize = ctx.size;
    shape.crColor = ctx.color;
    shape.ptFrom = from;
    shape.ptTo = to;
    shape.points = std::move(points);
    return shape;
}

// The arrow, the rectangle and the ellipse: two points, a preview while dragged, one shape at the release.
class TwoPointTool : public DragTool {
public:
    TwoPointTool(int nTool, int nKind) : m_nTool(nTool), m_nKind(nKind) {}

    bool Drag(POINT pt, POINT clamped, const ToolContext& ctx, CDC*, CShape* preview) override {
        if (m_nKind == SHAPE_RECT) {
            // The rectangle follows the mouse also beyond the selection; only its drawing is kept inside.
            const RECT r = selection::RectFromPoints(*m_from, pt);
            *preview = MakeShape(SHAPE_RECT, ctx, POINT{r.left, r.top}, POINT{r.right, r.bottom});
        } else {
            *preview = MakeShape(m_nKind, ctx, *m_from, clamped);
        }
        return true;
    }

    std::optional<CShape> Release(POINT pt, POINT lastMouse, const ToolContext& ctx) override {
        const drawing::Release r = drawing::ReleaseShape(m_nTool, *m_from, pt, lastMouse, ctx.selection);
        m_from.reset();
        if (r.kind == SHAPE_NONE) return std::nullopt;  // an arrow released on its tail
        return MakeShape(r.kind, ctx, r.ptFrom, r.ptTo);
    }

    bool RepaintsAtPress() const override { return m_nKind != SHAPE_ARROW; }

private:
    int m_nTool;
    int m_nKind;
};

// The pen: its stroke goes straight onto the window while it is drawn, and the whole stroke is committed.
class PenTool : public DragTool {
public:
    bool Press(POINT pt, const ToolContext& ctx) override {
        m_points.clear();
        if (!DragTool::Press(pt, ctx)) return false;
        m_points.push_back(pt);
        return true;
    }

    bool Drag(POINT, POINT clamped, const ToolContext& ctx, CDC* window, CShape*) override {
        // The stroke so far, straight onto the window (frameless, so its DC uses view coordinates); the
        // newest point is drawn with the next move, and the whole stroke from the view at the release.
        DrawMark(window, MakeShape(SHAPE_PEN, ctx, POINT{0, 0}, POINT{0, 0}, m_points), ctx.selection, nullptr);
        m_points.push_back(clamped);
        return false;
    }

    std::optional<CShape> Release(POINT pt, POINT lastMouse, const ToolContext& ctx) override {
        const drawing::Release r = drawing::ReleaseShape(TOOL_PEN, *m_from, pt, lastMouse, ctx.selection);
        m_from.reset();
        // A release with no press of its own (the second click of a double-click comes without one) has
        // no stroke to end: its points went with the first click's release.
        if (m_points.empty()) return std::nullopt;
        m_points.push_back(r.ptTo);
        return MakeShape(SHAPE_PEN, ctx, POINT{0, 0}, POINT{0, 0}, std::exchange(m_points, {}));
    }

private:
    std::vector<POINT> m_points;
};

Gdiplus::Color ShapeColor(COLORREF cr) { return Gdiplus::Color(255, GetRValue(cr), GetGValue(cr), GetBValue(cr)); }

}  // namespace

TextFonts::TextFonts() {
    m_large.CreatePointFont(200, kTextFace);
    m_medium.CreatePointFont(160, kTextFace);
    m_small.CreatePointFont(130, kTextFace);
}

CFont* TextFonts::ForSize(int nSize) {
    if (nSize == SIZE_SMALL) return &m_small;
    if (nSize == SIZE_LARGE) return &m_large;
    return &m_medium;
}

bool DragTool::Press(POINT pt, const ToolContext& ctx) {
    if (!rect::Contains(ctx.selection, pt)) {
        m_from.reset();
        return false;
    }
    SetDrawCursor();
    m_from = pt;
    return true;
}

Marks::Marks() {
    m_tools.resize(TOOL_TEXT + 1);
    m_tools[TOOL_ARROW] = std::make_unique<TwoPointTool>(TOOL_ARROW, SHAPE_ARROW);
    m_tools[TOOL_RECT] = std::make_unique<TwoPointTool>(TOOL_RECT, SHAPE_RECT);
    m_tools[TOOL_ELLIPSE] = std::make_unique<TwoPointTool>(TOOL_ELLIPSE, SHAPE_ELLIPSE);
    m_tools[TOOL_PEN] = std::make_unique<PenTool>();
}

Marks::~Marks() = default;

void Marks::Add(CShape shape) {
    m_list.push_back(std::make_unique<CShape>(std::move(shape)));
    m_undone.clear();
}

bool Marks::Undo() {
    if (m_list.empty()) return false;
    m_undone.push_back(std::move(m_list.back()));
    m_list.pop_back();
    return true;
}

bool Marks::Redo() {
    if (m_undone.empty()) return false;
    m_list.push_back(std::move(m_undone.back()));
    m_undone.pop_back();
    return true;
}

void Marks::Clear() {
    m_list.clear();
    m_undone.clear();
}

RECT Marks::Bounds() const {
    RECT bounds = {0, 0, 0, 0};
    shapes::ShapesBounds(m_list, &bounds);
    return bounds;
}

void Marks::DrawAll(CDC* pDC, const RECT& rcSel) {
    if (rect::IsEmpty(rcSel)) return;
    for (const auto& shape : m_list) DrawMark(pDC, *shape, rcSel, &m_fonts);
}

DragTool* Marks::ToolFor(int nTool) {
    return nTool >= 0 && nTool < static_cast<int>(m_tools.size()) ? m_tools[static_cast<size_t>(nTool)].get()
                                                                   : nullptr;
}

bool Marks::Press(int nTool, POINT pt, const ToolContext& ctx) {
    DragTool* tool = ToolFor(nTool);
    return tool && tool->Press(pt, ctx) && tool->RepaintsAtPress();
}

bool Marks::Move(int nTool, POINT pt, bool leftDown, const ToolContext& ctx, CDC* window) {
    m_ptLastMouse = drawing::ClampToSelection(pt, ctx.selection, ctx.size);
    DragTool* tool = ToolFor(nTool);
    if (!leftDown || !tool || !tool->Dragging()) return false;
    SetDrawCursor();
    return tool->Drag(pt, m_ptLastMouse, ctx, window, &m_preview);
}

void Marks::Release(int nTool, POINT pt, const ToolContext& ctx) {
    DragTool* tool = ToolFor(nTool);
    if (!tool || !tool->Dragging()) return;
    if (std::optional<CShape> shape = tool->Release(pt, m_ptLastMouse, ctx)) Add(std::move(*shape));
}

void DrawMark(CDC* pDC, const CShape& shape, const RECT& rcSel, TextFonts* fonts, POINT origin) {
    using namespace Gdiplus;
    // Every mark but the text is drawn by GDI+, started at the first one.
    if (shape.nKind != SHAPE_TEXT && !AfxStartGdiplus()) return;
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
        if (!drawing::FigureBox(shape.ptFrom, shape.ptTo, rcSel, &d)) return;
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
        if (!fonts) return;
        RECT box = selection::RectFromPoints(shape.ptFrom, shape.ptTo);
        ::OffsetRect(&box, -origin.x, -origin.y);
        const COLORREF oldColor = pDC->SetTextColor(shape.crColor);
        const int oldMode = pDC->SetBkMode(TRANSPARENT);
        CSelectScope font(pDC, fonts->ForSize(shape.nSize));
        pDC->DrawText(shape.strShown.empty() ? shape.strText : shape.strShown, &box, DT_WORDBREAK | DT_EDITCONTROL);
        pDC->SetBkMode(oldMode);
        pDC->SetTextColor(oldColor);
        return;
    }
    default:
        return;
    }
}
