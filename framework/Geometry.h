// CPoint and CRect: POINT and RECT with constructors and the few queries the program needs.
#pragma once

#include "framework/Compat.h"

class CPoint : public POINT {
public:
    CPoint() : POINT{0, 0} {}
    CPoint(LONG x0, LONG y0) : POINT{x0, y0} {}
    CPoint(POINT pt) : POINT(pt) {}  // NOLINT: implicit like the platform type it extends
    bool operator==(POINT o) const { return x == o.x && y == o.y; }
    bool operator!=(POINT o) const { return !(*this == o); }
};

class CRect : public RECT {
public:
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(LONG l, LONG t, LONG r, LONG b) : RECT{l, t, r, b} {}
    CRect(const RECT& rc) : RECT(rc) {}  // NOLINT: implicit like the platform type it extends
    LONG Width() const { return right - left; }
    LONG Height() const { return bottom - top; }
    bool IsRectEmpty() const { return rect::IsEmpty(*this); }
    bool PtInRect(POINT pt) const { return rect::Contains(*this, pt); }
    bool operator==(const RECT& o) const { return rect::Equal(*this, o); }
    bool operator!=(const RECT& o) const { return !rect::Equal(*this, o); }
};
