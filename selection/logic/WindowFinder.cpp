// Building the window tree from window records, and finding the window rectangle under a view point.
#include "selection/logic/WindowFinder.h"

namespace {

const wchar_t kDesktopTitle[] = L"\u684C\u9762";          // 桌面
const wchar_t kSettingsTitle[] = L"\u8BBE\u7F6E";         // 设置
const wchar_t kFrameClass[] = L"ApplicationFrameWindow";
const wchar_t kCoreClass[] = L"Windows.UI.Core.CoreWindow";

// Anything this thin is a border or a splitter, not something a user means to capture.
constexpr int64_t kMaxSliver = 5;

int64_t Width64(const RECT& rc) { return int64_t(rc.right) - rc.left; }
int64_t Height64(const RECT& rc) { return int64_t(rc.bottom) - rc.top; }

bool IsSliver(const RECT& rc) { return Width64(rc) <= kMaxSliver || Height64(rc) <= kMaxSliver; }

wchar_t FoldAscii(wchar_t c) { return (c >= L'A' && c <= L'Z') ? wchar_t(c - L'A' + L'a') : c; }

CWindowNode NodeFromRecord(const WindowRecord& rec, HWND hWndParent) {
    CWindowNode node;
    node.hWnd = rec.hWnd;
    node.hWndParent = hWndParent;
    node.strTitle = rec.strTitle;
    node.rcWindow = rec.rcWindow;
    return node;
}

// The rectangle is taken when it touches no zero coordinate, or when it fits the virtual screen.
bool IsAccepted(const RECT& r, int cxScreen, int cyScreen) {
    const bool bNoZero = r.left != 0 && r.top != 0 && r.right != 0 && r.bottom != 0;
    return bNoZero || (Width64(r) <= cxScreen && Height64(r) <= cyScreen);
}

// Pulls r inside the screen so its outline stays visible. The edges differ on purpose: left ends one
// pixel inside, top on the border, right one pixel inside only when it stuck out, bottom one inside.
RECT ClampToScreen(RECT r, const RECT& rcScreen) {
    if (r.left < rcScreen.left + 1) r.left = rcScreen.left + 1;
    if (r.right > rcScreen.right) r.right = rcScreen.right - 1;
    if (r.top < rcScreen.top + 1) r.top = rcScreen.top;
    if (r.bottom > rcScreen.bottom - 1) r.bottom = rcScreen.bottom - 1;
    return r;
}

}  // namespace

namespace windowfilter {

bool EqualsNoCase(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}

bool SkipTopLevel(const WindowRecord& rec, int cxScreen, int cyScreen) {
    if (EqualsNoCase(rec.strClassName, kFrameClass) && !EqualsNoCase(rec.strTitle, kSettingsTitle)) return true;
    if (EqualsNoCase(rec.strClassName, kCoreClass)) return true;
    if (rec.dwExStyle & WS_EX_NOACTIVATE) return true;
    if (IsSliver(rec.rcWindow)) return true;
    return Width64(rec.rcWindow) >= cxScreen && Height64(rec.rcWindow) >= cyScreen;
}

bool SkipChild(const WindowRecord& rec, int cxScreen, int cyScreen) {
    if (IsSliver(rec.rcWindow)) return true;
    return Width64(rec.rcWindow) == cxScreen && Height64(rec.rcWindow) == cyScreen;
}

}  // namespace windowfilter

bool CWindowNode::HitTestNode(POINT ptDesktop, RECT* out) const {
    if (!rect::Contains(rcWindow, ptDesktop)) return false;
    *out = rcWindow;
    for (const CWindowNode& child : children) {
        if (child.HitTestNode(ptDesktop, out)) break;
    }
    return true;
}

void CWindowFinder::CollectWindows(const IWindowSource& source) {
    m_windows.clear();
    for (const WindowRecord& rec : source.TopLevelWindows()) {
        if (!rec.bVisible || windowfilter::SkipTopLevel(rec, m_cxScreen, m_cyScreen)) continue;
        CWindowNode node = NodeFromRecord(rec, nullptr);
        node.strClassName = rec.strClassName;
        node.nArea = Width64(rec.rcWindow) * Height64(rec.rcWindow);
        m_windows.push_back(std::move(node));
    }

    CWindowNode desktop;
    desktop.strTitle = kDesktopTitle;
    desktop.rcWindow = source.VirtualScreen();
    m_windows.push_back(std::move(desktop));

    for (CWindowNode& node : m_windows) CollectChildren(source, node);
}

void CWindowFinder::CollectChildren(const IWindowSource& source, CWindowNode& node) const {
    if (node.hWnd == nullptr) return;  // the desktop node stands for the whole screen, not a window
    for (const WindowRecord& rec : source.ChildWindows(node.hWnd)) {
        if (!rec.bVisible || windowfilter::SkipChild(rec, m_cxScreen, m_cyScreen)) continue;
        node.children.push_back(NodeFromRecord(rec, node.hWnd));
    }
    // Every sibling is known before any of them is descended into.
    for (CWindowNode& child : node.children) CollectChildren(source, child);
}

bool CWindowFinder::FindWindowRectAt(POINT ptView, RECT* out) const {
    // A point off the view (a captured mouse can report one) could only meet windows hanging past the
    // screen, whose clamped rectangles come out inside-out; such a point has no window.
    const RECT rcView = {0, 0, m_rcScreen.right - m_rcScreen.left, m_rcScreen.bottom - m_rcScreen.top};
    if (!rect::Contains(rcView, ptView)) return false;

    const POINT ptDesktop = {ptView.x + m_rcScreen.left, ptView.y + m_rcScreen.top};
    for (const CWindowNode& node : m_windows) {
        RECT r;
        if (!node.HitTestNode(ptDesktop, &r)) continue;
        // A rejected hit passes over the whole top-level window, not only the child that was hit.
        if (!IsAccepted(r, m_cxScreen, m_cyScreen)) continue;
        r = ClampToScreen(r, m_rcScreen);
        *out = {r.left - m_rcScreen.left, r.top - m_rcScreen.top, r.right - m_rcScreen.left,
                r.bottom - m_rcScreen.top};
        return true;
    }
    return false;
}
