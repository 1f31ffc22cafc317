// The capture window under Wine: a known picture on the screen, the real dialog over it, real messages,
// and the pixels of its buffers and window checked against the picture.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "capture/CorvaneDlg.h"
#include "selection/MagnifierWindow.h"
#include "tests/win/CaptureFixture.h"
#include "palette/logic/CommandIds.h"
#include "palette/logic/Palette.h"
#include "tests/win/TestDesktop.h"

using testdesk::Dimmed;
using testdesk::PatternAt;

namespace {

// Points spread over the whole view, edges included.
std::vector<POINT> SamplePoints(int cx, int cy) {
    std::vector<POINT> pts;
    for (int y = 0; y < cy; y += 37) {
        for (int x = 0; x < cx; x += 41) pts.push_back({x, y});
        pts.push_back({cx - 1, y});
    }
    for (int x = 0; x < cx; x += 41) pts.push_back({x, cy - 1});
    return pts;
}

class CaptureDialog : public CaptureTest {
protected:
    COLORREF ViewAt(int x, int y) { return GetPixel(dlg->GetView().Buffer(), x, y); }
    // A second capture, looked at before any message (such as the first mouse move) reaches it.
    void RecreateWithoutMessages() {
        dlg.reset();
        testdesk::AwaitScreen(PatternAt);  // the picture shows again where the first capture was
        dlg = std::make_unique<CCorvaneDlg>();
        app.m_pMainWnd = dlg.get();
        ASSERT_TRUE(dlg->Create(IDD_CAPTURE));
    }
};

TEST_F(CaptureDialog, InitialisationLeavesTheStateOfAFreshCapture) {
    RecreateWithoutMessages();
    CCorvaneDlg& d = *dlg;
    EXPECT_EQ(d.ForegroundTicks(), 0);
    EXPECT_EQ(d.GetPalette().Color(), 0x000000FFu);
    EXPECT_EQ(d.GetPalette().Size(), 2);
    EXPECT_EQ(d.GetPalette().Tool(), 0);
    EXPECT_TRUE(d.Phase().NewRegion());
    EXPECT_FALSE(d.GetTextBox().IsOpen());
    EXPECT_FALSE(d.Phase().FixedRegion());
    EXPECT_TRUE(d.Phase().Detecting());
    EXPECT_FALSE(d.ToolChosen());
    EXPECT_FALSE(d.GetSelection().Tracking());
    EXPECT_TRUE(rect::IsAllZero(d.GetSelection().Rect()));
    EXPECT_TRUE(rect::IsAllZero(d.Hovered()));
    EXPECT_EQ(d.GetMarks().Preview(), nullptr);
    EXPECT_TRUE(d.GetMarks().Empty());
    EXPECT_NE(SendMessageW(d.m_hWnd, WM_GETICON, ICON_BIG, 0), 0);

    const int vx = GetSystemMetrics(SM_XVIRTUALSCREEN), vy = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int cx = GetSystemMetrics(SM_CXVIRTUALSCREEN), cy = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    EXPECT_EQ(d.GetView().Width(), cx);
    EXPECT_EQ(d.GetView().Height(), cy);
    EXPECT_TRUE(rect::Equal(d.GetView().Screen(), RECT{vx, vy, vx + cx, vy + cy}));
    EXPECT_EQ(d.GetWindowFinder().m_cxScreen, cx);
    EXPECT_EQ(d.GetWindowFinder().m_cyScreen, cy);
    EXPECT_TRUE(rect::Equal(d.GetWindowFinder().m_rcScreen, d.GetView().Screen()));

    // The window covers the virtual screen and stays above other windows.
    RECT rcWindow;
    GetWindowRect(d.m_hWnd, &rcWindow);
    EXPECT_TRUE(rect::Equal(rcWindow, d.GetView().Screen()));
    EXPECT_TRUE(GetWindowLongW(d.m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(IsWindowVisible(d.m_hWnd));

    // The dimming source is one black pixel.
    BITMAP bm = {};
    ASSERT_TRUE(GetObjectW(static_cast<HBITMAP>(d.GetView().DimPixel()), sizeof(bm), &bm));
    EXPECT_EQ(bm.bmWidth, 1);
    EXPECT_EQ(bm.bmHeight, 1);
    HDC probe = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(probe, static_cast<HBITMAP>(d.GetView().DimPixel()));
    EXPECT_EQ(GetPixel(probe, 0, 0), 0x00000000u);
    SelectObject(probe, old);
    DeleteDC(probe);

    // The text box: a hidden child 4001 at (600,100)-(700,130) in the medium font.
    ASSERT_NE(d.GetTextBox().Handle(), nullptr);
    EXPECT_EQ(GetDlgCtrlID(d.GetTextBox().Handle()), IDC_TEXT_EDIT);
    EXPECT_FALSE(IsWindowVisible(d.GetTextBox().Handle()));
    const LONG style = GetWindowLongW(d.GetTextBox().Handle(), GWL_STYLE);
    // (The edit control trades WS_BORDER for a border of its own drawing, so that bit is not kept.)
    const LONG expected = WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL;
    EXPECT_EQ(style & expected, expected);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(d.GetTextBox().Handle(), WM_GETFONT, 0, 0)),
              static_cast<HFONT>(*d.GetMarks().Fonts().ForSize(SIZE_MEDIUM)));
    RECT rcEdit;
    GetWindowRect(d.GetTextBox().Handle(), &rcEdit);
    EXPECT_TRUE(rect::Equal(rcEdit, RECT{vx + 600, vy + 100, vx + 700, vy + 130}));

    // The system menu carries the About item.
    wchar_t item[64] = {};
    GetMenuStringW(GetSystemMenu(d.m_hWnd, FALSE), IDM_ABOUTBOX, item, 64, MF_BYCOMMAND);
    EXPECT_EQ(std::wstring(item), L"关于 Corvane(&A)...");
}

TEST_F(CaptureDialog, TextFontsAreNSimSunAtTheirPointSizes) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    const TextFonts& fonts = dlg->GetMarks().Fonts();
    struct Case { const char* name; const CFont* font; int tenths; } cases[] = {{"large", fonts.ForSize(SIZE_LARGE), 200},
                                                                                {"medium", fonts.ForSize(SIZE_MEDIUM), 160},
                                                                                {"small", fonts.ForSize(SIZE_SMALL), 130}};
    for (const Case& c : cases) {
        LOGFONTW lf = {};
        ASSERT_TRUE(GetObjectW(c.font->GetSafeHandle(), sizeof(lf), &lf)) << c.name;
        // Tenths of a point to pixels, rounded to the nearest pixel.
        const int pixels = (dpi * c.tenths + 360) / 720;
        EXPECT_EQ(lf.lfHeight, -pixels) << c.name;
        EXPECT_EQ(std::wstring(lf.lfFaceName), L"新宋体") << c.name;
        EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET) << c.name;
    }
}

TEST_F(CaptureDialog, FrozenImageAndFirstViewAreThePictureUndimmed) {
    RecreateWithoutMessages();
    for (POINT p : SamplePoints(dlg->GetView().Width(), dlg->GetView().Height())) {
        ASSERT_EQ(GetPixel(dlg->GetView().Frozen(), p.x, p.y), PatternAt(p.x, p.y)) << "frozen " << p.x << "," << p.y;
        ASSERT_EQ(ViewAt(p.x, p.y), PatternAt(p.x, p.y)) << "view " << p.x << "," << p.y;
    }
}

TEST_F(CaptureDialog, TheFrozenImageIgnoresLaterChangesOfTheScreen) {
    pattern.reset();  // the desktop behind changes completely
    dlg->ComposeView();
    for (POINT p : SamplePoints(dlg->GetView().Width(), dlg->GetView().Height())) {
        ASSERT_EQ(ViewAt(p.x, p.y), PatternAt(p.x, p.y)) << p.x << "," << p.y;
    }
}

TEST_F(CaptureDialog, ComposedViewDimsExactlyTheOutsideOfTheSelection) {
    const int cx = dlg->GetView().Width(), cy = dlg->GetView().Height();
    struct Case { const char* name; RECT sel; bool dimsNothing; } cases[] = {
        {"inside the view", {100, 80, 400, 300}, false},
        {"touching left and top", {0, 0, 250, 200}, false},
        {"touching right and bottom", {cx - 300, cy - 150, cx, cy}, false},
        {"the whole view", {0, 0, cx, cy}, false},
        {"zero width", {200, 100, 200, 300}, true},
        {"zero height", {200, 100, 500, 100}, true},
        {"nothing selected", {0, 0, 0, 0}, true},
    };
    for (const Case& c : cases) {
        dlg->GetSelection().SetRect(c.sel);
        dlg->ComposeView();
        std::vector<POINT> pts = SamplePoints(cx, cy);
        // The pixels on both sides of every edge.
        for (LONG x : {c.sel.left - 1, c.sel.left, c.sel.right - 1, c.sel.right}) pts.push_back({x, (c.sel.top + c.sel.bottom) / 2});
        for (LONG y : {c.sel.top - 1, c.sel.top, c.sel.bottom - 1, c.sel.bottom}) pts.push_back({(c.sel.left + c.sel.right) / 2, y});
        const RECT frameArea = {c.sel.left - 4, c.sel.top - 24, c.sel.right + 4, c.sel.bottom + 25};
        const RECT inner = {c.sel.left + 3, c.sel.top + 3, c.sel.right - 3, c.sel.bottom - 3};
        for (POINT p : pts) {
            if (p.x < 0 || p.y < 0 || p.x >= cx || p.y >= cy) continue;
            // The frame, its handles and its label are drawn over the edges; their pixels are checked
            // with the selection's drawing.
            if (!rect::IsAllZero(c.sel) && rect::Contains(frameArea, p) && !rect::Contains(inner, p)) continue;
            const COLORREF frozen = PatternAt(p.x, p.y);
            const bool inside = rect::Contains(c.sel, p);
            const COLORREF expected = (c.dimsNothing || inside) ? frozen : Dimmed(frozen);
            ASSERT_EQ(ViewAt(p.x, p.y), expected) << c.name << " at " << p.x << "," << p.y;
        }
    }
}

// The whole view buffer, row by row.
std::vector<COLORREF> ReadView(CCorvaneDlg& d) {
    int cx = 0, cy = 0;
    return ReadBitmap(d.GetView().Buffer().GetBitmap(), &cx, &cy);
}

TEST_F(CaptureDialog, ViewsTakenFromTheDimmedCopyEqualBlendingTheBandsEachTime) {
    const LONG cx = dlg->GetView().Width(), cy = dlg->GetView().Height();
    const RECT rects[] = {{100, 80, 400, 300}, {0, 0, 250, 200}, {cx - 300, cy - 150, cx, cy}, {0, 0, cx, cy},
                          {200, 100, 200, 300}, {0, 0, 0, 0}, {400, 300, 100, 80}, {1, 0, cx, cy - 1}};
    for (const RECT& rc : rects) {
        dlg->GetView().CopyDimmedOutside(rc);
        const std::vector<COLORREF> fast = ReadView(*dlg);
        BitBlt(dlg->GetView().Buffer(), 0, 0, cx, cy, dlg->GetView().Frozen(), 0, 0, SRCCOPY);
        dlg->GetView().DimOutside(dlg->GetView().Buffer(), rc);
        const std::vector<COLORREF> blended = ReadView(*dlg);
        EXPECT_TRUE(fast == blended) << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom;
    }
}

TEST_F(CaptureDialog, DimmingScalesEveryLevelTo155Of255RoundedToNearest) {
    // Red runs through all 256 levels along a row of the picture.
    dlg->GetSelection().SetRect(RECT{0, 0, 1, 1});
    dlg->ComposeView();
    for (int x = 0; x < 256 && x < dlg->GetView().Width(); ++x) {
        const int level = GetRValue(ViewAt(x, 5));
        ASSERT_EQ(level, (x * 155 + 127) / 255) << "level " << x;
    }
}

TEST_F(CaptureDialog, HoverViewOutlinesTheWindowAndDimsTheRest) {
    const RECT hover = {300, 200, 500, 360};
    dlg->ShowHover(hover);
    const COLORREF outline = 0x00E7AD37;
    const LONG midX = 400, midY = 280;
    // A 3-pixel pen centred on the rectangle's edges.
    for (LONG d : {-1L, 0L, 1L}) {
        EXPECT_EQ(ViewAt(hover.left + d, midY), outline) << "left edge " << d;
        EXPECT_EQ(ViewAt(midX, hover.top + d), outline) << "top edge " << d;
        EXPECT_EQ(ViewAt(hover.right - 1 + d, midY), outline) << "right edge " << d;
        EXPECT_EQ(ViewAt(midX, hover.bottom - 1 + d), outline) << "bottom edge " << d;
    }
    EXPECT_EQ(ViewAt(hover.left + 3, midY), PatternAt(hover.left + 3, midY));
    EXPECT_EQ(ViewAt(midX, midY), PatternAt(midX, midY));
    EXPECT_EQ(ViewAt(hover.left - 3, midY), Dimmed(PatternAt(hover.left - 3, midY)));
    EXPECT_EQ(ViewAt(10, 10), Dimmed(PatternAt(10, 10)));
    // The selection is not touched by hovering.
    EXPECT_TRUE(rect::IsAllZero(dlg->GetSelection().Rect()));
}

// Two monitors side by side in the view: the primary on the left half, a second one on the right half
// with a window maximised on it. Rectangles touching 0 and wider than the primary are outlined where a
// click picks them.
TEST_F(CaptureDialog, HoverOutlinesWhatAClickPicksOnTwoMonitors) {
    const LONG cx = dlg->GetView().Width(), cy = dlg->GetView().Height(), half = cx / 2;
    const RECT& screen = dlg->GetView().Screen();
    CWindowNode maximised;
    maximised.hWnd = reinterpret_cast<HWND>(1);
    maximised.rcWindow = {screen.left + half - 8, screen.top - 8, screen.right + 8, screen.bottom + 8};
    CWindowNode desktop;
    desktop.rcWindow = screen;
    dlg->GetWindowFinder().m_windows = {maximised, desktop};

    struct Case { const char* name; POINT pt; RECT pick; } cases[] = {
        // Left edge kept, top on 0, right and bottom one pixel inside: wider than the primary.
        {"window maximised on the second monitor", {half + 200, cy / 2}, {half - 8, 0, cx - 1, cy - 1}},
        {"the desktop of both monitors", {100, cy / 2}, {1, 0, cx, cy - 1}},
    };
    for (const Case& c : cases) {
        dlg->ResetCapture();
        Send(WM_MOUSEMOVE, 0, c.pt.x, c.pt.y);
        ASSERT_TRUE(rect::Equal(dlg->Hovered(), c.pick)) << c.name;
        const LONG y = cy / 2, left = c.pick.left;
        EXPECT_EQ(ViewAt(left, y), 0x00E7AD37u) << c.name << ": outline on the left edge";
        EXPECT_EQ(ViewAt(left + 3, y), PatternAt(left + 3, y)) << c.name << ": inside";
        if (left >= 3) {
            EXPECT_EQ(ViewAt(left - 3, y), Dimmed(PatternAt(left - 3, y))) << c.name << ": outside";
        }
        Send(WM_LBUTTONDOWN, MK_LBUTTON, c.pt.x, c.pt.y);
        Send(WM_LBUTTONUP, 0, c.pt.x, c.pt.y);
        EXPECT_TRUE(rect::Equal(dlg->GetSelection().Rect(), c.pick)) << c.name << ": the click picks the same";
    }
}

TEST_F(CaptureDialog, PaintingShowsTheViewBuffer) {
    dlg->GetSelection().SetRect(RECT{50, 60, 300, 260});
    dlg->ComposeView();
    dlg->Invalidate(FALSE);
    dlg->UpdateWindow();
    ASSERT_TRUE(testdesk::PumpUntil([&] { return Started(*dlg); }));
    HDC screen = GetDC(dlg->m_hWnd);
    for (POINT p : std::vector<POINT>{{10, 10}, {60, 70}, {299, 259}, {300, 260}, {700, 500}}) {
        EXPECT_EQ(GetPixel(screen, p.x, p.y), ViewAt(p.x, p.y)) << p.x << "," << p.y;
    }
    ReleaseDC(dlg->m_hWnd, screen);
}

TEST_F(CaptureDialog, EndingsPostTheirQuitCodes) {
    struct Case { const char* name; UINT msg; WPARAM wParam; int quitCode; } cases[] = {
        {"Esc released, its press not seen", WM_KEYUP, VK_ESCAPE, -1},
        {"close command", WM_COMMAND, ID_CLOSE, 1},
        {"another key released", WM_KEYUP, 'A', -1},
        {"window closed", WM_CLOSE, 0, 0},
    };
    for (const Case& c : cases) {
        TakeQuitCode();
        SendMessageW(dlg->m_hWnd, c.msg, c.wParam, 0);
        EXPECT_EQ(TakeQuitCode(), c.quitCode) << c.name;
    }
}

TEST_F(CaptureDialog, OrderlyCloseReleasesTheFrozenImageAndLaterViewsStaySafe) {
    Select(RECT{10, 10, 100, 100});
    dlg->GetMarks().Add(CShape{});
    SendMessageW(dlg->m_hWnd, WM_CLOSE, 0, 0);
    // Shapes and selection are gone and the capture is back at its start.
    EXPECT_TRUE(dlg->GetMarks().Empty());
    EXPECT_TRUE(rect::IsAllZero(dlg->GetSelection().Rect()));
    EXPECT_TRUE(dlg->Phase().Detecting() && dlg->Phase().NewRegion() && !dlg->Phase().FixedRegion());
    EXPECT_EQ(dlg->GetView().Frozen().GetSafeHdc(), nullptr);
    EXPECT_EQ(dlg->GetView().Frozen().GetBitmap().GetSafeHandle(), nullptr);
    dlg->GetSelection().SetRect(RECT{10, 10, 100, 100});
    dlg->ComposeView();  // nothing to copy, must not fail
    EXPECT_EQ(TakeQuitCode(), 0);
}

TEST_F(CaptureDialog, ForegroundTimerForcesOnlyOnItsFirstSixTicks) {
    for (int tick = 1; tick <= 9; ++tick) {
        SendMessageW(dlg->m_hWnd, WM_TIMER, TIMER_FOREGROUND, 0);
        EXPECT_EQ(dlg->ForegroundTicks(), tick < 6 ? tick : 6) << "tick " << tick;
    }
    // Another timer id does not count.
    SendMessageW(dlg->m_hWnd, WM_TIMER, 7, 0);
    EXPECT_EQ(dlg->ForegroundTicks(), 6);
}

TEST_F(CaptureDialog, ForegroundTimerTakesTheForegroundBack) {
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 10, 10, 100, 100, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(other);
    ASSERT_TRUE(testdesk::PumpUntil([&] { return GetForegroundWindow() == other; }));
    SendMessageW(dlg->m_hWnd, WM_TIMER, TIMER_FOREGROUND, 0);
    EXPECT_TRUE(testdesk::PumpUntil([&] { return GetForegroundWindow() == dlg->m_hWnd; }));
    DestroyWindow(other);
}

TEST_F(CaptureDialog, RightPressOutsideBeforeAnySelectionHoldsIt) {
    SendMessageW(dlg->m_hWnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(300, 300));
    EXPECT_TRUE(dlg->Phase().FixedRegion());
    EXPECT_FALSE(dlg->Phase().NewRegion());
    EXPECT_TRUE(rect::IsAllZero(dlg->GetSelection().Rect()));
}

TEST_F(CaptureDialog, FirstReleaseEndsWindowDetection) {
    SendMessageW(dlg->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(40, 40));
    EXPECT_FALSE(dlg->Phase().Detecting());
    EXPECT_EQ(dlg->GetMarks().Preview(), nullptr);
}

TEST_F(CaptureDialog, MiddleDoubleClickShowsTheSelectedAreaInTheCorner) {
    dlg->GetSelection().SetRect(RECT{200, 150, 260, 190});
    dlg->ComposeView();
    dlg->Invalidate(FALSE);
    dlg->UpdateWindow();
    SendMessageW(dlg->m_hWnd, WM_MBUTTONDBLCLK, MK_MBUTTON, MAKELPARAM(220, 160));
    HDC screen = GetDC(dlg->m_hWnd);
    // Inside the frame's bands the copy is the plain picture.
    for (POINT p : std::vector<POINT>{{3, 3}, {56, 36}, {30, 20}}) {
        EXPECT_EQ(GetPixel(screen, p.x, p.y), PatternAt(200 + p.x, 150 + p.y)) << p.x << "," << p.y;
    }
    // Beyond the copied area the window still shows the dimmed view.
    EXPECT_EQ(GetPixel(screen, 70, 50), Dimmed(PatternAt(70, 50)));
    ReleaseDC(dlg->m_hWnd, screen);
}

TEST_F(CaptureDialog, CaretKeysWhileTypingRepaintTheTextBox) {
    struct Case { const char* name; bool editing; WPARAM key; bool repaints; } cases[] = {
        {"left arrow while typing", true, VK_LEFT, true},
        {"home while typing", true, VK_HOME, true},
        {"end while typing", true, VK_END, true},
        {"down while typing", true, VK_DOWN, true},
        {"left arrow when not typing", false, VK_LEFT, false},
        {"a letter while typing", true, 'A', false},
    };
    Select(RECT{300, 200, 800, 500});
    Command(ID_TOOL_TEXT);
    for (const Case& c : cases) {
        if (c.editing != dlg->GetTextBox().IsOpen()) {
            Send(WM_LBUTTONDOWN, MK_LBUTTON, c.editing ? 400 : 700, 300);  // opens a box, or closes it
            Send(WM_LBUTTONUP, 0, c.editing ? 400 : 700, 300);
            if (!c.editing) dlg->CommitText();
        }
        ASSERT_EQ(dlg->GetTextBox().IsOpen(), c.editing) << c.name;
        ValidateRect(dlg->m_hWnd, nullptr);
        MSG msg = {dlg->GetTextBox().Handle(), WM_KEYDOWN, c.key, 0, 0, {0, 0}};
        dlg->PreTranslateMessage(&msg);
        RECT update = {};
        const bool dirty = GetUpdateRect(dlg->m_hWnd, &update, FALSE);
        EXPECT_EQ(dirty, c.repaints) << c.name;
        if (c.repaints) {
            EXPECT_TRUE(rect::Equal(update, dlg->GetTextBox().Rect())) << c.name;
        }
    }
}

// The modal loop, as the program runs it.
class CaptureModal : public testing::Test {
protected:
    void SetUp() override { pattern = std::make_unique<testdesk::PatternWindow>(); }
    void TearDown() override { pattern.reset(); }
    std::unique_ptr<testdesk::PatternWindow> pattern;
};

TEST_F(CaptureModal, KeysAndCloseEndTheLoopWithTheirExitCodes) {
    struct Case { const char* name; UINT msg; WPARAM wParam; INT_PTR result; int exitCode; } cases[] = {
        {"Enter", WM_KEYDOWN, VK_RETURN, IDOK, 1},
        {"Esc", WM_KEYDOWN, VK_ESCAPE, IDCANCEL, 1},
        {"window closed", WM_CLOSE, 0, IDCANCEL, 0},
        {"close command", WM_COMMAND, ID_CLOSE, -1, 1},
    };
    for (const Case& c : cases) {
        CWinAppEx app;
        app.m_nExitCode = 1;  // what the program starts from: abandoned unless a quit code says otherwise
        CCorvaneDlg dlg;
        testdesk::RunWhen([&] { return dlg.m_hWnd && testdesk::ShownAndPainted(dlg.m_hWnd); },
                          [&] { PostMessageW(dlg.m_hWnd, c.msg, c.wParam, 0); });
        EXPECT_EQ(dlg.DoModal(), c.result) << c.name;
        EXPECT_EQ(app.m_nExitCode, c.exitCode) << c.name;
        EXPECT_FALSE(IsWindow(dlg.m_hWnd)) << c.name;
    }
}

TEST_F(CaptureModal, SystemMenuAboutItemShowsTheAboutBoxAboveTheCapture) {
    CWinAppEx app;
    CCorvaneDlg dlg;
    app.m_pMainWnd = &dlg;
    bool aboutShown = false;
    std::wstring aboutText;
    HWND about = nullptr;
    auto aboutUp = [&] {
        about = FindWindowW(nullptr, L"关于 Corvane");
        return about && IsWindowVisible(about) && !IsWindowEnabled(dlg.m_hWnd);
    };
    testdesk::RunWhen([&] { return dlg.m_hWnd && testdesk::ShownAndPainted(dlg.m_hWnd); }, [&] {
        testdesk::RunWhen(aboutUp, [&] {
            aboutShown = aboutUp();
            wchar_t text[64] = {};
            EnumChildWindows(about, [](HWND child, LPARAM out) -> BOOL {
                wchar_t buf[64] = {};
                GetWindowTextW(child, buf, 64);
                if (std::wstring(buf).find(L"1.0") != std::wstring::npos) lstrcpynW(reinterpret_cast<wchar_t*>(out), buf, 64);
                return TRUE;
            }, reinterpret_cast<LPARAM>(text));
            aboutText = text;
            PostMessageW(about, WM_COMMAND, IDOK, 0);
            // Closed once the About box is gone and the capture takes input again.
            testdesk::RunWhen([&] { return !IsWindow(about) && IsWindowEnabled(dlg.m_hWnd); },
                              [&] { PostMessageW(dlg.m_hWnd, WM_CLOSE, 0, 0); });
        });
        PostMessageW(dlg.m_hWnd, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    });
    dlg.DoModal();
    EXPECT_TRUE(aboutShown);
    EXPECT_EQ(aboutText, L"Corvane，1.0 版");
}

}  // namespace
