// The desktop's windows as they were when the capture started, and the lookup of the window under a
// point of the view. The tree is built from plain records handed over by a window source, so the filters
// and the hit test are ordinary code; only the source that reads the real window list needs Windows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/Compat.h"

#ifndef _WIN32
#define WS_EX_NOACTIVATE 0x08000000L
#endif

struct CWindowNode {
    HWND hWnd = nullptr;            // null for the desktop node
    HWND hWndParent = nullptr;      // parent node's window for child windows
    std::wstring strClassName;      // top-level windows only
    std::wstring strTitle;
    RECT rcWindow = {0, 0, 0, 0};   // desktop coordinates
    int64_t nArea = 0;              // top-level windows only
    std::vector<CWindowNode> children;  // visible children, topmost first

    // True when ptDesktop lies in this window; out then holds the rectangle of the deepest descendant
    // containing it, taking the topmost child at every level. out is untouched when false.
    bool HitTestNode(POINT ptDesktop, RECT* out) const;
};

// One window as the window list reports it, before any filtering.
struct WindowRecord {
    HWND hWnd = nullptr;
    std::wstring strClassName;
    std::wstring strTitle;
    RECT rcWindow = {0, 0, 0, 0};   // desktop coordinates
    bool bVisible = false;
    DWORD dwExStyle = 0;
};

// Where the walk reads the desktop from: the live window list on Windows, synthetic trees in tests.
class IWindowSource {
public:
    virtual ~IWindowSource() = default;
    // Top-level windows in Z order, topmost first.
    virtual std::vector<WindowRecord> TopLevelWindows() const = 0;
    // Direct children of hWndParent in Z order, topmost first.
    virtual std::vector<WindowRecord> ChildWindows(HWND hWndParent) const = 0;
    // The virtual screen in desktop coordinates; it becomes the desktop node.
    virtual RECT VirtualScreen() const = 0;
};

class CWindowFinder {
public:
    // Filters use the primary monitor's size until the capture replaces it with the virtual screen's.
    explicit CWindowFinder(int cxPrimary = 0, int cyPrimary = 0) : m_cxScreen(cxPrimary), m_cyScreen(cyPrimary) {}

#ifdef _WIN32
    // Rebuilds m_windows from the live window list.
    void CollectWindows();
#endif
    // Rebuilds m_windows from source: filtered top-level windows topmost first, then the desktop node.
    void CollectWindows(const IWindowSource& source);
    // Appends node's visible, large-enough children, then descends into each of them.
    void CollectChildren(const IWindowSource& source, CWindowNode& node) const;

    // True with out = the accepted, clamped rectangle (view coordinates) of the innermost window under
    // ptView; false, out untouched, when no window is accepted or ptView lies outside the view.
    bool FindWindowRectAt(POINT ptView, RECT* out) const;

    int m_cxScreen;
    int m_cyScreen;
    RECT m_rcScreen = {0, 0, 0, 0};
    std::vector<CWindowNode> m_windows;  // top-level windows topmost first, then the desktop node
};

namespace windowfilter {

// Case-insensitive (ASCII letters) whole-string equality, as window class names compare.
bool EqualsNoCase(const std::wstring& a, const std::wstring& b);
// True when a top-level window should not be offered: shell frames other than Settings, core windows,
// windows that never take activation, slivers of 5 pixels or less, and windows covering the screen.
bool SkipTopLevel(const WindowRecord& rec, int cxScreen, int cyScreen);
// True when a child window should not be offered: slivers, and a child exactly the screen's size.
bool SkipChild(const WindowRecord& rec, int cxScreen, int cyScreen);

}  // namespace windowfilter
