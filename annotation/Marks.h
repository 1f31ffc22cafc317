// The marks of a capture: the committed shapes with undo, the four drag tools that make them (the arrow,
// rectangle, ellipse and pen), the fonts of the text marks, and their drawing. The rules of points and
// releases are in annotation/logic/Drawing; the text box is annotation/TextBox.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "annotation/logic/Shape.h"
#include "framework/Afx.h"

// What a tool sees of the capture: the selection it draws in, and the pen chosen on the bars.
struct ToolContext {
    RECT selection = {0, 0, 0, 0};
    int size = 2;
    COLORREF color = 0x000000FF;
};

// The fonts of the text marks, one per size: the text box types in them and the marks are drawn in them.
class TextFonts {
public:
    TextFonts();
    CFont* ForSize(int nSize);
    const CFont* ForSize(int nSize) const { return const_cast<TextFonts*>(this)->ForSize(nSize); }

private:
    CFont m_small;
    CFont m_medium;
    CFont m_large;
};

// Draws a mark onto a DC whose pixel (0, 0) shows the view's point origin. Rectangles and ellipses keep
// within the selection rcSel; text is drawn in its size's font (fonts may be null for other marks).
void DrawMark(CDC* pDC, const CShape& shape, const RECT& rcSel, TextFonts* fonts, POINT origin = POINT{0, 0});

// One drag tool: a press inside the selection starts its drag, the moves of the held button show it,
// the release commits what it made.
class DragTool {
public:
    virtual ~DragTool() = default;
    // Starts a drag at pt when it lies inside the selection; a press outside starts none. True when it
    // started.
    virtual bool Press(POINT pt, const ToolContext& ctx);
    // One move of the drag to pt (clamped: pt pulled into the selection): the preview to show over the
    // view (true), or what is drawn straight onto the window (false).
    virtual bool Drag(POINT pt, POINT clamped, const ToolContext& ctx, CDC* window, CShape* preview) = 0;
    // The release at pt (lastMouse: the last move, clamped); the mark it commits, if any. The drag ends.
    virtual std::optional<CShape> Release(POINT pt, POINT lastMouse, const ToolContext& ctx) = 0;
    bool Dragging() const { return m_from.has_value(); }
    // Whether the window is repainted when a drag starts (the rectangle and the ellipse do).
    virtual bool RepaintsAtPress() const { return false; }

protected:
    std::optional<POINT> m_from;
};

class Marks {
public:
    Marks();
    ~Marks();

    // Committed shapes in commit order: the drawing order, and the reverse of the undo order.
    const ShapeList& List() const { return m_list; }
    bool Empty() const { return m_list.empty(); }
    size_t Count() const { return m_list.size(); }
    // A new mark; what was undone can no longer be brought back.
    void Add(CShape shape);
    // Takes the last mark away, to be brought back by Redo; false when there is none.
    bool Undo();
    // Brings back the mark undone last; false when there is none.
    bool Redo();
    // No marks, and none to bring back.
    void Clear();
    // The union of the marks' extents, which a resized selection keeps around them; empty when none.
    RECT Bounds() const;
    void DrawAll(CDC* pDC, const RECT& rcSel);
    TextFonts& Fonts() { return m_fonts; }
    const TextFonts& Fonts() const { return m_fonts; }

    // The drag tools, reached by the tool chosen on the bars; the others are no drag tool's. True when
    // the press started a drag that wants the window repainted.
    bool Press(int nTool, POINT pt, const ToolContext& ctx);
    // A move while no selection is being made or tracked: pt is remembered, clamped into the selection;
    // with the left button down the current tool's drag follows it. True when the preview changed.
    bool Move(int nTool, POINT pt, bool leftDown, const ToolContext& ctx, CDC* window);
    void Release(int nTool, POINT pt, const ToolContext& ctx);
    // The shape being dragged out, which lives on the window over the view until the button comes up.
    const CShape* Preview() const { return m_preview.nKind == SHAPE_NONE ? nullptr : &m_preview; }
    void EndPreview() { m_preview.nKind = SHAPE_NONE; }

private:
    DragTool* ToolFor(int nTool);

    ShapeList m_list;
    ShapeList m_undone;  // the newest last
    TextFonts m_fonts;
    std::vector<std::unique_ptr<DragTool>> m_tools;  // indexed by tool id
    POINT m_ptLastMouse = {0, 0};
    CShape m_preview;
};
