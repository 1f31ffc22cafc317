#include "capture/logic/ViewRules.h"

#include <algorithm>

std::vector<RECT> DimBands(const RECT& rc, int cx, int cy) {
    std::vector<RECT> bands;
    if (rc.left == rc.right || rc.top == rc.bottom) return bands;
    const LONG l = std::min(rc.left, rc.right);
    const LONG r = std::max(rc.left, rc.right);
    const LONG t = std::min(rc.top, rc.bottom);
    const LONG b = std::max(rc.top, rc.bottom);
    if (t > 0) bands.push_back(RECT{0, 0, cx, t});
    if (b < cy) bands.push_back(RECT{0, b, cx, cy});
    if (l > 0) bands.push_back(RECT{0, t, l, b});
    if (r < cx) bands.push_back(RECT{r, t, cx, b});
    return bands;
}

RECT ClearArea(const RECT& rc, int cx, int cy) {
    if (rc.left == rc.right || rc.top == rc.bottom) return RECT{0, 0, cx, cy};
    return RECT{std::max<LONG>(std::min(rc.left, rc.right), 0), std::max<LONG>(std::min(rc.top, rc.bottom), 0),
                std::min<LONG>(std::max(rc.left, rc.right), cx), std::min<LONG>(std::max(rc.top, rc.bottom), cy)};
}

namespace {

RECT Normalised(const RECT& rc) {
    return RECT{std::min(rc.left, rc.right), std::min(rc.top, rc.bottom), std::max(rc.left, rc.right),
                std::max(rc.top, rc.bottom)};
}

void AddClipped(RECT rc, int cx, int cy, std::vector<RECT>* area) {
    rc = RECT{std::max<LONG>(rc.left, 0), std::max<LONG>(rc.top, 0), std::min<LONG>(rc.right, cx),
              std::min<LONG>(rc.bottom, cy)};
    if (rc.left < rc.right && rc.top < rc.bottom) area->push_back(rc);
}

// The part of a outside b, within the surface: a cut by each band around b.
void AddDifference(const RECT& a, const RECT& b, int cx, int cy, std::vector<RECT>* area) {
    for (const RECT& band : DimBands(b, cx, cy)) {
        AddClipped(RECT{std::max(a.left, band.left), std::max(a.top, band.top), std::min(a.right, band.right),
                        std::min(a.bottom, band.bottom)},
                   cx, cy, area);
    }
}

void AddEdges(const RECT& rc, LONG reach, int cx, int cy, std::vector<RECT>* area) {
    AddClipped(RECT{rc.left - reach, rc.top - reach, rc.right + reach, rc.top + reach}, cx, cy, area);
    AddClipped(RECT{rc.left - reach, rc.bottom - reach, rc.right + reach, rc.bottom + reach}, cx, cy, area);
    AddClipped(RECT{rc.left - reach, rc.top + reach, rc.left + reach, rc.bottom - reach}, cx, cy, area);
    AddClipped(RECT{rc.right - reach, rc.top + reach, rc.right + reach, rc.bottom - reach}, cx, cy, area);
}

}  // namespace

bool ChangedArea(const RECT& rcOld, const RECT& rcNew, int reach, int cx, int cy, std::vector<RECT>* area) {
    area->clear();
    for (const RECT* rc : {&rcOld, &rcNew}) {
        if (rc->left == rc->right || rc->top == rc->bottom) return false;
    }
    if (rcOld.left == rcNew.left && rcOld.top == rcNew.top && rcOld.right == rcNew.right &&
        rcOld.bottom == rcNew.bottom) {
        return true;
    }
    const RECT a = Normalised(rcOld), b = Normalised(rcNew);
    AddDifference(a, b, cx, cy, area);
    AddDifference(b, a, cx, cy, area);
    AddEdges(a, reach, cx, cy, area);
    AddEdges(b, reach, cx, cy, area);
    return true;
}
