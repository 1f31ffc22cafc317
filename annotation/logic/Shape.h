// One committed mark on the capture (rectangle, ellipse, arrow, freehand stroke or text), and the record
// of the mark being dragged out. Plain data: the dialog's shape list owns the committed records.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/Compat.h"

enum ShapeKind : int {
    SHAPE_NONE = -1,
    SHAPE_RECT = 1,
    SHAPE_PEN = 2,
    SHAPE_ARROW = 3,
    SHAPE_ELLIPSE = 4,
    SHAPE_TEXT = 5,
};

struct CShape {
    int nKind = SHAPE_NONE;
    int nSize = 2;                      // stroke width in pixels; for text, the font choice
    COLORREF crColor = 0x000000FF;      // red
    POINT ptFrom = {0, 0};
    POINT ptTo = {0, 0};
    std::wstring strText;
    std::vector<POINT> points;          // freehand stroke, in the order drawn
    // Text: the lines as the box showed them while they were typed (wrapped where the box wrapped
    // them, CR LF between lines), drawn instead of strText so that the mark keeps the box's lines.
    // Empty: strText is drawn, wrapped to the mark's rectangle.
    std::wstring strShown;
};

// The committed shapes in commit order: the drawing order, and the reverse of the undo order.
using ShapeList = std::vector<std::unique_ptr<CShape>>;

namespace shapes {

// The union of the shapes' extents: the normalised rectangle of the two points, or for a stroke each
// of its points. False (and *bounds untouched) for an empty list.
bool ShapesBounds(const ShapeList& list, RECT* bounds);

}  // namespace shapes
