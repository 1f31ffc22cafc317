// The few Windows value types that the plain logic uses. On Windows they come from <windows.h>; on the
// Linux host they are declared here with the same layout, so the logic compiles unchanged for the unit
// tests. Nothing here calls into the window system.
#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdint>

typedef int BOOL;
typedef unsigned int UINT;
typedef int32_t LONG;
typedef uint32_t DWORD;
typedef uint16_t WORD;
typedef uint8_t BYTE;
typedef DWORD COLORREF;
typedef uint64_t WPARAM;
typedef int64_t LPARAM;
struct HWND__;
typedef HWND__* HWND;

#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif

struct POINT {
    LONG x;
    LONG y;
};

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

struct SIZE {
    LONG cx;
    LONG cy;
};

#define RGB(r, g, b) ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(rgb) ((BYTE)(rgb))
#define GetGValue(rgb) ((BYTE)(((WORD)(rgb)) >> 8))
#define GetBValue(rgb) ((BYTE)((rgb) >> 16))

#define MK_LBUTTON 0x0001
#define MK_RBUTTON 0x0002
#define MK_SHIFT 0x0004
#define MK_CONTROL 0x0008
#define MK_MBUTTON 0x0010

#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define VK_RETURN 0x0D
#define VK_ESCAPE 0x1B
#define VK_END 0x23
#define VK_HOME 0x24
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#endif

// Rectangle rules shared by the logic, identical to the platform's (left and top inside, right and
// bottom outside; a rectangle with no width or no height contains nothing).
namespace rect {

inline LONG Width(const RECT& rc) { return rc.right - rc.left; }
inline LONG Height(const RECT& rc) { return rc.bottom - rc.top; }
inline bool IsEmpty(const RECT& rc) { return rc.right <= rc.left || rc.bottom <= rc.top; }
inline bool IsAllZero(const RECT& rc) { return rc.left == 0 && rc.top == 0 && rc.right == 0 && rc.bottom == 0; }
inline bool Contains(const RECT& rc, POINT pt) {
    return pt.x >= rc.left && pt.x < rc.right && pt.y >= rc.top && pt.y < rc.bottom;
}
inline bool Equal(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline bool SamePoint(POINT a, POINT b) { return a.x == b.x && a.y == b.y; }
inline RECT Make(LONG l, LONG t, LONG r, LONG b) { return RECT{l, t, r, b}; }
// The part of a inside b; empty (possibly inverted) when they do not overlap.
inline RECT Intersection(const RECT& a, const RECT& b) {
    return RECT{a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top,
                a.right < b.right ? a.right : b.right, a.bottom < b.bottom ? a.bottom : b.bottom};
}

}  // namespace rect
