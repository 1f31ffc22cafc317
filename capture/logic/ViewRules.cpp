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
