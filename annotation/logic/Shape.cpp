// The extent of the committed shapes, which a resized selection keeps around them.
#include "annotation/logic/Shape.h"

#include <algorithm>

#include "selection/logic/SelectionGeometry.h"

namespace shapes {

namespace {
void Widen(RECT* bounds, bool* first, const RECT& rc) {
    if (*first) {
        *bounds = rc;
        *first = false;
        return;
    }
    bounds->left = std::min(bounds->left, rc.left);
    bounds->top = std::min(bounds->top, rc.top);
    bounds->right = std::max(bounds->right, rc.right);
    bounds->bottom = std::max(bounds->bottom, rc.bottom);
}
}  // namespace

bool ShapesBounds(const ShapeList& list, RECT* bounds) {
    bool first = true;
    for (const auto& shape : list) {
        if (shape->nKind == SHAPE_PEN) {
            for (POINT p : shape->points) Widen(bounds, &first, RECT{p.x, p.y, p.x, p.y});
        } else {
            Widen(bounds, &first, selection::RectFromPoints(shape->ptFrom, shape->ptTo));
        }
    }
    return !first;
}

}  // namespace shapes
