// The four drag tools: a left drag inside the selection previews an arrow, a rectangle or an ellipse
// over the view, or paints a freehand stroke straight onto the window, and the release commits one
// shape. Every handler runs for every message; each acts only for its own tool. The rules of points
// and releases are in annotation/logic/Drawing.
#include "capture/CorvaneDlg.h"

#include <utility>

#include "annotation/logic/Drawing.h"
#include "capture/logic/ViewRules.h"
#include "palette/logic/Palette.h"

namespace {
// The drawing cursor; a platform without it gets the crosshair.
constexpr WORD kDrawCursorId = 32631;

void SetDrawCursor() {
    HCURSOR cursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(kDrawCursorId));
    if (!cursor) cursor = ::LoadCursorW(nullptr, IDC_CROSS);
    ::SetCursor(cursor);
}
}  // namespace

POINT CCorvaneDlg::ClampToSelection(POINT pt) { return drawing::ClampToSelection(pt, m_rcSelection, m_nSize); }

bool CCorvaneDlg::ToolDrags(int nTool, POINT ptFrom, UINT nFlags) const {
    return IsLeftDrag(nFlags) && m_nTool == nTool && IsPointSet(ptFrom);
}

void CCorvaneDlg::ShowPreview() {
    InvalidateRect(&m_rcSelection, FALSE);
    UpdateWindow();
}

void CCorvaneDlg::CommitShape(int nKind, POINT ptFrom, POINT ptTo, std::vector<POINT> points) {
    auto shape = std::make_unique<CShape>();
    shape->nKind = nKind;
    shape->nSize = m_nSize;
    shape->crColor = m_crColor;
    shape->ptFrom = ptFrom;
    shape->ptTo = ptTo;
    shape->points = std::move(points);
    m_shapes.push_back(std::move(shape));
}

void CCorvaneDlg::ArrowToolDown(POINT pt) {
    if (m_nTool != TOOL_ARROW) return;
    if (!rect::Contains(m_rcSelection, pt)) {
        m_ptLineFrom = POINT{0, 0};
        return;
    }
    SetDrawCursor();
    m_ptLineFrom = m_ptLineTo = pt;
}

void CCorvaneDlg::PenToolDown(POINT pt) {
    m_penPoints.clear();
    if (m_nTool != TOOL_PEN) return;
    if (!rect::Contains(m_rcSelection, pt)) {
        m_ptPenFrom = POINT{0, 0};
        return;
    }
    SetDrawCursor();
    m_ptPenFrom = m_ptPenTo = pt;
    m_penPoints.push_back(pt);
}

void CCorvaneDlg::EllipseToolDown(POINT pt) { BoxToolDown(TOOL_ELLIPSE, pt); }

void CCorvaneDlg::RectToolDown(POINT pt) { BoxToolDown(TOOL_RECT, pt); }

void CCorvaneDlg::BoxToolDown(int nTool, POINT pt) {
    // The rectangle and the ellipse share their corner points; only the current one of them acts.
    if (m_nTool != nTool) return;
    if (!rect::Contains(m_rcSelection, pt)) {
        m_ptBoxFrom = POINT{0, 0};
        return;
    }
    SetDrawCursor();
    m_ptBoxFrom = m_ptBoxTo = pt;
    Invalidate(FALSE);
    UpdateWindow();
}

void CCorvaneDlg::RectToolMove(CDC*, UINT nFlags, POINT pt) {
    m_ptLastMouse = pt;
    if (!ToolDrags(TOOL_RECT, m_ptBoxFrom, nFlags)) return;
    SetDrawCursor();
    // The rectangle follows the mouse also beyond the selection; only its drawing is kept inside.
    RECT r;
    RectFromPoints(m_ptBoxFrom, pt, &r);
    m_shapeCurrent = CShape{SHAPE_RECT, m_nSize, m_crColor, POINT{r.left, r.top}, POINT{r.right, r.bottom}, {}, {}, {}};
    ShowPreview();
}

void CCorvaneDlg::ArrowToolMove(CDC*, UINT nFlags, POINT pt) {
    m_ptLastMouse = ClampToSelection(pt);
    if (!ToolDrags(TOOL_ARROW, m_ptLineFrom, nFlags)) return;
    SetDrawCursor();
    m_shapeCurrent = CShape{SHAPE_ARROW, m_nSize, m_crColor, m_ptLineFrom, m_ptLastMouse, {}, {}, {}};
    ShowPreview();
}

void CCorvaneDlg::PenToolMove(CDC* pDC, UINT nFlags, POINT pt) {
    m_ptLastMouse = ClampToSelection(pt);
    if (!ToolDrags(TOOL_PEN, m_ptPenFrom, nFlags)) return;
    SetDrawCursor();
    // The stroke so far, straight onto the window (frameless, so its DC uses view coordinates); the
    // newest point is drawn with the next move, and the whole stroke from the view at the release.
    CShape stroke{SHAPE_PEN, m_nSize, m_crColor, POINT{0, 0}, POINT{0, 0}, {}, m_penPoints, {}};
    DrawShape(pDC, stroke);
    m_penPoints.push_back(m_ptLastMouse);
}

void CCorvaneDlg::EllipseToolMove(CDC*, UINT nFlags, POINT pt) {
    m_ptLastMouse = ClampToSelection(pt);
    if (!ToolDrags(TOOL_ELLIPSE, m_ptBoxFrom, nFlags)) return;
    SetDrawCursor();
    m_shapeCurrent = CShape{SHAPE_ELLIPSE, m_nSize, m_crColor, m_ptBoxFrom, m_ptLastMouse, {}, {}, {}};
    ShowPreview();
}

void CCorvaneDlg::ArrowToolUp(POINT pt) {
    if (m_nTool != TOOL_ARROW || !IsPointSet(m_ptLineFrom)) return;
    const drawing::Release r = drawing::ReleaseShape(TOOL_ARROW, m_ptLineFrom, pt, m_ptLastMouse, m_rcSelection);
    m_ptLineTo = r.ptTo;
    if (r.kind != SHAPE_NONE) CommitShape(r.kind, r.ptFrom, r.ptTo);
}

void CCorvaneDlg::PenToolUp(POINT pt) {
    // A release with no press of its own (the second click of a double-click comes without one) has no
    // stroke to end: its points went with the first click's release.
    if (m_nTool != TOOL_PEN || !IsPointSet(m_ptPenFrom) || m_penPoints.empty()) return;
    const drawing::Release r = drawing::ReleaseShape(TOOL_PEN, m_ptPenFrom, pt, m_ptLastMouse, m_rcSelection);
    m_ptPenTo = r.ptTo;
    m_penPoints.push_back(m_ptPenTo);
    CommitShape(SHAPE_PEN, POINT{0, 0}, POINT{0, 0}, std::move(m_penPoints));
    m_penPoints.clear();
}

void CCorvaneDlg::RectToolUp(POINT pt) {
    if (m_nTool != TOOL_RECT || !IsPointSet(m_ptBoxFrom)) return;
    const drawing::Release r = drawing::ReleaseShape(TOOL_RECT, m_ptBoxFrom, pt, m_ptLastMouse, m_rcSelection);
    CommitShape(r.kind, r.ptFrom, r.ptTo);
}

void CCorvaneDlg::EllipseToolUp(POINT pt) {
    if (m_nTool != TOOL_ELLIPSE || !IsPointSet(m_ptBoxFrom)) return;
    const drawing::Release r = drawing::ReleaseShape(TOOL_ELLIPSE, m_ptBoxFrom, pt, m_ptLastMouse, m_rcSelection);
    m_ptBoxTo = r.ptTo;
    CommitShape(r.kind, r.ptFrom, r.ptTo);
}
