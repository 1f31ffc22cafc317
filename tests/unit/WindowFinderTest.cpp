// The window tree built from synthetic desktops, its filters, and the window found under a view point.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "selection/logic/WindowFinder.h"

namespace {

HWND H(uintptr_t n) { return reinterpret_cast<HWND>(n); }

WindowRecord Rec(uintptr_t n, RECT rc, std::wstring cls = L"Window", std::wstring title = L"", DWORD exStyle = 0,
                 bool visible = true) {
    return WindowRecord{H(n), std::move(cls), std::move(title), rc, visible, exStyle};
}

// A desktop described by hand: top-level windows topmost first, each window's children, the virtual screen.
struct FakeSource : IWindowSource {
    std::vector<WindowRecord> top;
    std::map<HWND, std::vector<WindowRecord>> kids;
    RECT screen = {0, 0, 1920, 1080};

    std::vector<WindowRecord> TopLevelWindows() const override { return top; }
    std::vector<WindowRecord> ChildWindows(HWND h) const override {
        auto it = kids.find(h);
        return it == kids.end() ? std::vector<WindowRecord>{} : it->second;
    }
    RECT VirtualScreen() const override { return screen; }
};

// As the dialog runs it: the walk filters with the primary's size, hit tests use the virtual screen.
CWindowFinder Build(const FakeSource& src, int cxPrimary = 1920, int cyPrimary = 1080) {
    CWindowFinder f(cxPrimary, cyPrimary);
    f.CollectWindows(src);
    f.m_cxScreen = rect::Width(src.screen);
    f.m_cyScreen = rect::Height(src.screen);
    f.m_rcScreen = src.screen;
    return f;
}

std::string Str(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

const RECT kSentinel = {-7, -7, -7, -7};

struct HitCase {
    const char* name;
    POINT pt;
    RECT expected;
};

void ExpectHits(const CWindowFinder& f, const std::vector<HitCase>& cases) {
    for (const HitCase& c : cases) {
        RECT out = kSentinel;
        ASSERT_TRUE(f.FindWindowRectAt(c.pt, &out)) << c.name;
        EXPECT_TRUE(rect::Equal(out, c.expected)) << c.name << ": got " << Str(out);
    }
}

// Clamps: left < 1 -> 1; right > 1920 -> 1919; top < 1 -> 0; bottom > 1079 -> 1079.
TEST(WindowFinderHitTest, SingleMonitorAtOrigin) {
    FakeSource s;
    s.top = {
        Rec(10, {100, 100, 500, 400}, L"#32770"),
        Rec(20, {-10, 600, 1950, 900}),
        Rec(1, {1200, 0, 1500, 200}),      // touches the top
        Rec(2, {1800, 100, 1920, 200}),    // right edge on the border
        Rec(3, {1700, 300, 1925, 400}),    // right edge past the border
        Rec(4, {100, 1000, 200, 1080}),    // bottom on the border
        Rec(30, {-8, -8, 1928, 1048}),     // maximised, under everything
    };
    s.kids[H(10)] = {Rec(11, {150, 150, 300, 300}), Rec(12, {200, 200, 350, 350}), Rec(13, {400, 300, 480, 390})};
    s.kids[H(12)] = {Rec(121, {320, 320, 340, 340})};
    s.kids[H(20)] = {Rec(21, {0, 650, 1930, 700})};  // touches x = 0 and is wider than the screen
    ExpectHits(Build(s), {
        {"maximised window", {1000, 500}, {1, 0, 1919, 1048}},
        {"over no window: the desktop", {1000, 1060}, {1, 0, 1920, 1079}},
        {"child control beats its dialog", {420, 320}, {400, 300, 480, 390}},
        {"dialog where no child is", {120, 380}, {100, 100, 500, 400}},
        {"overlap goes to the earlier child", {250, 250}, {150, 150, 300, 300}},
        {"grandchild is the deepest", {330, 330}, {320, 320, 340, 340}},
        {"right edge of a child is outside it", {300, 160}, {100, 100, 500, 400}},
        {"rejected child passes over its whole top level", {960, 660}, {1, 0, 1919, 1048}},
        {"window hanging off both sides", {960, 800}, {1, 600, 1919, 900}},
        {"top at 0 stays on 0", {1300, 10}, {1200, 0, 1500, 200}},
        {"right on the border is kept", {1850, 150}, {1800, 100, 1920, 200}},
        {"right past the border ends one inside", {1750, 350}, {1700, 300, 1919, 400}},
        {"bottom on the border ends one inside", {150, 1050}, {100, 1000, 200, 1079}},
    });
}

TEST(WindowFinderHitTest, VirtualScreenWithNegativeOrigin) {
    FakeSource left;  // a monitor left of the primary
    left.screen = {-1920, 0, 1920, 1080};
    left.top = {Rec(1, {-1928, -8, 8, 1048})};  // maximised there: left -> -1919, top -> 0, then +1920 in x
    ExpectHits(Build(left), {
        {"maximised on the left monitor", {100, 100}, {1, 0, 1928, 1048}},
        {"desktop of both monitors", {3000, 500}, {1, 0, 3840, 1079}},
    });

    FakeSource above;  // a monitor above the primary; view y = desktop y + 1080
    above.screen = {0, -1080, 1920, 1080};
    above.top = {Rec(1, {100, -500, 600, -100})};
    ExpectHits(Build(above), {
        {"window on the upper monitor", {200, 700}, {100, 580, 600, 980}},
        {"desktop: top stays on the border", {50, 50}, {1, 0, 1920, 2159}},
    });
}

// A 1920 x 1200 primary at the origin and a wide 2560 x 1080 monitor to its left: the view runs from
// desktop x = -2560. The hover outline shows these same picks, also those that touch 0 and are wider
// than the primary.
TEST(WindowFinderHitTest, TwoMonitorsOfDifferentShapes) {
    FakeSource s;
    s.screen = {-2560, 0, 1920, 1200};
    s.top = {
        Rec(1, {-300, 200, 300, 500}),      // across the border of the two monitors
        Rec(2, {-8, -8, 1928, 1168}),       // maximised on the primary, above a task bar
        Rec(3, {-2568, -8, 8, 1048}),       // maximised on the wide monitor
    };
    ExpectHits(Build(s, 1920, 1200), {
        {"maximised on the wide monitor", {1000, 600}, {1, 0, 2568, 1048}},
        {"maximised on the primary: right end one inside", {3500, 600}, {2552, 0, 4479, 1168}},
        {"across both monitors", {2400, 300}, {2260, 200, 2860, 500}},
        {"desktop below the primary's window", {3500, 1180}, {1, 0, 4480, 1199}},
    });
}

TEST(WindowFinderHitTest, NothingFoundLeavesOutUntouched) {
    FakeSource s;
    s.top = {Rec(1, {1800, 100, 2100, 300})};  // hangs past the right edge
    CWindowFinder f = Build(s);
    for (POINT pt : {POINT{1950, 200}, POINT{-1, 10}, POINT{10, 1080}}) {
        RECT out = kSentinel;
        EXPECT_FALSE(f.FindWindowRectAt(pt, &out)) << "off the view at " << pt.x << "," << pt.y;
        EXPECT_TRUE(rect::Equal(out, kSentinel));
    }
    f.m_cxScreen = 1900;  // now the desktop (0, 0, 1920, 1080) touches 0 and is too wide: rejected
    RECT out = kSentinel;
    EXPECT_FALSE(f.FindWindowRectAt({100, 500}, &out));
    EXPECT_TRUE(rect::Equal(out, kSentinel));
}

struct FilterCase {
    const char* name;
    WindowRecord rec;
    bool kept;
};

TEST(WindowFinderWalk, TopLevelFilters) {
    const RECT rc = {100, 100, 500, 400};
    const FilterCase cases[] = {
        {"ordinary window", Rec(1, rc), true},
        {"frame titled Settings", Rec(1, rc, L"ApplicationFrameWindow", L"\u8BBE\u7F6E"), true},
        {"frame with another title", Rec(1, rc, L"ApplicationFrameWindow", L"Calculator"), false},
        {"frame class in other case", Rec(1, rc, L"applicationframewindow"), false},
        {"frame class as a prefix only", Rec(1, rc, L"ApplicationFrameWindowX"), true},
        {"core window, even titled Settings", Rec(1, rc, L"Windows.UI.Core.CoreWindow", L"\u8BBE\u7F6E"), false},
        {"never activates", Rec(1, rc, L"Tip", L"", WS_EX_NOACTIVATE), false},
        {"other extended styles", Rec(1, rc, L"Tip", L"", 0x00080008), true},
        {"invisible", Rec(1, rc, L"Window", L"", 0, false), false},
        {"5 wide", Rec(1, {100, 100, 105, 400}), false},
        {"6 wide", Rec(1, {100, 100, 106, 400}), true},
        {"5 high", Rec(1, {100, 100, 500, 105}), false},
        {"exactly the primary", Rec(1, {0, 0, 1920, 1080}), false},
        {"larger than the primary", Rec(1, {-50, -50, 2000, 1100}), false},
        {"one short in height", Rec(1, {0, 0, 1920, 1079}), true},
    };
    for (const FilterCase& c : cases) {
        FakeSource s;
        s.top = {c.rec};
        const CWindowFinder f = Build(s);
        EXPECT_EQ(f.m_windows.size(), c.kept ? 2u : 1u) << c.name;
        EXPECT_EQ(f.m_windows.front().hWnd, c.kept ? H(1) : nullptr) << c.name;
    }
}

TEST(WindowFinderWalk, ChildFilters) {
    const RECT rc = {150, 150, 250, 180};
    const FilterCase cases[] = {
        {"frame class", Rec(2, rc, L"ApplicationFrameWindow", L"x"), true},
        {"core class", Rec(2, rc, L"Windows.UI.Core.CoreWindow"), true},
        {"never activates", Rec(2, rc, L"Tip", L"", WS_EX_NOACTIVATE), true},
        {"invisible", Rec(2, rc, L"Button", L"", 0, false), false},
        {"5 wide", Rec(2, {150, 150, 155, 180}), false},
        {"6 high", Rec(2, {150, 150, 250, 156}), true},
        {"exactly the primary", Rec(2, {0, 0, 1920, 1080}), false},
        {"one pixel wider", Rec(2, {0, 0, 1921, 1080}), true},
        {"one pixel taller", Rec(2, {0, 0, 1920, 1081}), true},
    };
    for (const FilterCase& c : cases) {
        FakeSource s;
        s.top = {Rec(1, {100, 100, 900, 700})};
        s.kids[H(1)] = {c.rec};
        const CWindowFinder f = Build(s);
        ASSERT_EQ(f.m_windows.size(), 2u) << c.name;
        EXPECT_EQ(f.m_windows[0].children.size(), c.kept ? 1u : 0u) << c.name;
    }
}

// A full-screen window on the primary of a two-monitor desk stays out, though the hit test later
// compares against the wider virtual screen.
TEST(WindowFinderWalk, FiltersUsePrimarySize) {
    FakeSource s;
    s.screen = {0, 0, 3840, 1080};
    s.top = {Rec(1, {0, 0, 1920, 1080}), Rec(2, {1920, 0, 3000, 900})};
    const CWindowFinder f = Build(s);
    ASSERT_EQ(f.m_windows.size(), 2u);
    EXPECT_EQ(f.m_windows[0].hWnd, H(2));
    ExpectHits(f, {{"desktop under the skipped window", {500, 500}, {1, 0, 3840, 1079}}});
}

TEST(WindowFinderWalk, TreeShape) {
    FakeSource s;
    s.screen = {-1280, -200, 1920, 1080};
    s.top = {Rec(1, {100, 100, 500, 400}, L"First", L"one"), Rec(2, {10, 10, 6, 6}),
             Rec(3, {0, 0, 100000, 50000}, L"Huge")};
    s.kids[H(1)] = {Rec(11, {110, 110, 200, 200}, L"Button", L"OK"), Rec(12, {210, 110, 300, 200})};
    s.kids[H(11)] = {Rec(111, {120, 120, 150, 150})};
    s.kids[nullptr] = {Rec(99, {0, 0, 50, 50})};  // nothing may hang under the desktop node
    CWindowFinder f(200000, 200000);
    f.m_windows.resize(4);  // a stale tree is replaced, not extended
    f.CollectWindows(s);

    ASSERT_EQ(f.m_windows.size(), 3u);
    const CWindowNode& first = f.m_windows[0];
    EXPECT_EQ(first.hWnd, H(1));
    EXPECT_EQ(first.strClassName, L"First");
    EXPECT_EQ(first.strTitle, L"one");
    EXPECT_EQ(first.nArea, 400 * 300);
    EXPECT_EQ(f.m_windows[1].nArea, int64_t(100000) * 50000);  // past 32 bits
    const CWindowNode& desktop = f.m_windows[2];
    EXPECT_EQ(desktop.hWnd, nullptr);
    EXPECT_EQ(desktop.strTitle, L"\u684C\u9762");  // 桌面
    EXPECT_TRUE(rect::Equal(desktop.rcWindow, s.screen));
    EXPECT_TRUE(desktop.children.empty());

    ASSERT_EQ(first.children.size(), 2u);
    EXPECT_EQ(first.children[0].hWndParent, H(1));
    EXPECT_EQ(first.children[0].strTitle, L"OK");
    EXPECT_EQ(first.children[1].hWnd, H(12));
    ASSERT_EQ(first.children[0].children.size(), 1u);
    EXPECT_EQ(first.children[0].children[0].hWnd, H(111));
    EXPECT_EQ(first.children[0].children[0].hWndParent, H(11));
}

}  // namespace
