// Window detection over a known desktop (a framed window with child controls over the picture) and
// the magnifier's pixels.
#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "capture/CorvaneDlg.h"
#include "palette/logic/CommandIds.h"
#include "tests/win/CaptureFixture.h"
#include "selection/MagnifierWindow.h"
#include "tests/win/TestDesktop.h"

using testdesk::Dimmed;
using testdesk::PatternAt;

namespace {

constexpr COLORREF kOutline = 0x00E7AD37;

LRESULT CALLBACK PlainProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcW(h, m, w, l); }

// A top-level window painted in one colour.
HWND MakeWindow(const wchar_t* cls, COLORREF colour, DWORD style, RECT rc, HWND parent) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = cls;
    wc.hbrBackground = CreateSolidBrush(colour);
    RegisterClassW(&wc);
    return CreateWindowExW(0, cls, L"", style | WS_VISIBLE, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                           parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

class Detecting : public CaptureTest {
protected:
    void LayOutDesktop() override {
        // A grey window at (200,150)-(600,450) holding a pure red control at (20,30)-(120,90) and two
        // overlapping green and blue ones; the green one was created last, so it is topmost (and, the
        // siblings clipping each other, also shows on top where they overlap).
        frame = MakeWindow(L"CorvaneTestFrame", RGB(128, 128, 128), WS_POPUP, RECT{200, 150, 600, 450}, nullptr);
        const DWORD control = WS_CHILD | WS_CLIPSIBLINGS;
        red = MakeWindow(L"CorvaneTestRed", RGB(255, 0, 0), control, RECT{20, 30, 120, 90}, frame);
        blue = MakeWindow(L"CorvaneTestBlue", RGB(0, 0, 255), control, RECT{200, 100, 300, 200}, frame);
        green = MakeWindow(L"CorvaneTestGreen", RGB(0, 255, 0), control, RECT{250, 150, 350, 250}, frame);
        SetWindowPos(green, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        testdesk::AwaitScreen(DesktopAt);
    }
    void TearDown() override {
        dlg.reset();
        DestroyWindow(frame);
        CaptureTest::TearDown();
    }

    // The desktop as it was at start: the picture with the known windows over it.
    static COLORREF DesktopAt(int x, int y) {
        struct W { RECT rc; COLORREF c; } wins[] = {
            {{450, 300, 550, 400}, RGB(0, 255, 0)}, {{400, 250, 500, 350}, RGB(0, 0, 255)},
            {{220, 180, 320, 240}, RGB(255, 0, 0)}, {{200, 150, 600, 450}, RGB(128, 128, 128)}};
        for (const W& w : wins) {
            if (rect::Contains(w.rc, POINT{x, y})) return w.c;
        }
        return PatternAt(x, y);
    }

    HWND frame = nullptr, red = nullptr, blue = nullptr, green = nullptr;
};

TEST_F(Detecting, HoverFindsTheInnermostTopmostWindow) {
    const LONG cx = dlg->GetView().Width(), cy = dlg->GetView().Height();
    struct Case { const char* name; POINT pt; RECT rect; } cases[] = {
        {"child control", {250, 200}, {220, 180, 320, 240}},
        {"frame around the controls", {210, 160}, {200, 150, 600, 450}},
        {"overlap of two controls: the topmost", {480, 330}, {450, 300, 550, 400}},
        {"lower control outside the overlap", {420, 260}, {400, 250, 500, 350}},
        {"nothing but the desktop", {50, 50}, {1, 0, cx, cy - 1}},
    };
    for (const Case& c : cases) {
        Send(WM_MOUSEMOVE, 0, c.pt.x, c.pt.y);
        EXPECT_TRUE(rect::Equal(dlg->Hovered(), c.rect)) << c.name;
    }
}

TEST_F(Detecting, HoverRecomposesOnlyWhenTheWindowChanges) {
    Send(WM_MOUSEMOVE, 0, 250, 200);
    EXPECT_EQ(GetPixel(dlg->GetView().Buffer(), 220, 210), kOutline);
    EXPECT_EQ(GetPixel(dlg->GetView().Buffer(), 215, 210), Dimmed(RGB(128, 128, 128)));
    EXPECT_EQ(GetPixel(dlg->GetView().Buffer(), 260, 210), RGB(255, 0, 0));
    // Within the same control nothing is redrawn: a mark in the buffer survives.
    SetPixel(dlg->GetView().Buffer(), 260, 210, RGB(1, 2, 3));
    Send(WM_MOUSEMOVE, 0, 270, 215);
    EXPECT_EQ(GetPixel(dlg->GetView().Buffer(), 260, 210), RGB(1, 2, 3));
    // Onto another window: the new one is outlined and the old one dimmed at the same event.
    Send(WM_MOUSEMOVE, 0, 480, 330);
    EXPECT_EQ(GetPixel(dlg->GetView().Buffer(), 450, 330), kOutline);
    EXPECT_EQ(GetPixel(dlg->GetView().Buffer(), 260, 210), Dimmed(RGB(255, 0, 0)));
    EXPECT_EQ(GetPixel(dlg->GetView().Buffer(), 500, 350), RGB(0, 255, 0));
}

TEST_F(Detecting, AClickPicksTheControlAndADragDoesNot) {
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 250, 200);
    Send(WM_LBUTTONUP, 0, 250, 200);
    EXPECT_TRUE(rect::Equal(dlg->GetSelection().Rect(), RECT{220, 180, 320, 240}));
    EXPECT_TRUE(dlg->Phase().FixedRegion());
    EXPECT_FALSE(dlg->Phase().Detecting());

    dlg->ResetCapture();
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 250, 200);
    Send(WM_MOUSEMOVE, MK_LBUTTON, 260, 210);
    Send(WM_LBUTTONUP, 0, 260, 210);
    EXPECT_TRUE(rect::Equal(dlg->GetSelection().Rect(), RECT{250, 200, 260, 210}));
}

TEST_F(Detecting, TheMagnifierFollowsTheCursorAndHidesAtThePress) {
    ASSERT_NE(dlg->GetMagnifier(), nullptr);
    EXPECT_EQ(GetWindow(dlg->GetMagnifier()->m_hWnd, GW_OWNER), dlg->m_hWnd);
    const LONG cx = dlg->GetView().Width(), cy = dlg->GetView().Height();
    struct Case { const char* name; POINT cursor; RECT rect; } cases[] = {
        {"beside the cursor", {300, 300}, {320, 320, 470, 520}},
        {"flipped left near the right edge", {cx - 100, 300}, {cx - 270, 320, cx - 120, 520}},
        {"flipped up near the bottom edge", {300, cy - 100}, {320, cy - 320, 470, cy - 120}},
        {"overhanging when just far enough", {cx - 160, 300}, {cx - 140, 320, cx + 10, 520}},
    };
    for (const Case& c : cases) {
        SetCursorPos(c.cursor.x, c.cursor.y);
        Send(WM_MOUSEMOVE, 0, c.cursor.x, c.cursor.y);
        RECT rc;
        GetWindowRect(dlg->GetMagnifier()->m_hWnd, &rc);
        EXPECT_TRUE(rect::Equal(rc, c.rect)) << c.name << ": " << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom;
        EXPECT_TRUE(IsWindowVisible(dlg->GetMagnifier()->m_hWnd)) << c.name;
    }
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 300, 300);
    EXPECT_FALSE(IsWindowVisible(dlg->GetMagnifier()->m_hWnd));
    Send(WM_MOUSEMOVE, MK_LBUTTON, 400, 400);
    EXPECT_FALSE(IsWindowVisible(dlg->GetMagnifier()->m_hWnd));
}

TEST_F(Detecting, StartingOverShowsTheWindowUnderThePointerAtOnce) {
    // Hovered, then a region dragged inside the frame: starting over with the pointer still there
    // outlines the frame again, without waiting for the pointer to reach another window.
    struct Case { const char* name; std::function<void()> startOver; } cases[] = {
        {"right click outside the region", [&] { Send(WM_RBUTTONDOWN, MK_RBUTTON, 580, 430); }},
        {"undo with no marks", [&] { Command(ID_UNDO); }},
    };
    for (const Case& c : cases) {
        SetCursorPos(580, 430);
        Send(WM_MOUSEMOVE, 0, 580, 430);
        Select(RECT{340, 200, 560, 420});
        ASSERT_TRUE(dlg->Phase().FixedRegion()) << c.name;
        c.startOver();
        EXPECT_FALSE(dlg->Phase().FixedRegion()) << c.name;
        EXPECT_TRUE(rect::Equal(dlg->Hovered(), RECT{200, 150, 600, 450})) << c.name;
        EXPECT_EQ(GetPixel(dlg->GetView().Buffer(), 200, 300), kOutline) << c.name;
        EXPECT_EQ(GetPixel(dlg->GetView().Buffer(), 580, 430), RGB(128, 128, 128)) << c.name << ": the frame undimmed";
        EXPECT_EQ(GetPixel(dlg->GetView().Buffer(), 150, 100), Dimmed(PatternAt(150, 100))) << c.name;
    }
}

TEST_F(Detecting, TheMagnifierLinesFitItsPanelAtTheDesktopsDpi) {
    // The widest lines the panel shows, in the font it shows them in, within its width less the 8
    // pixels of indent, and one line's height within the 20 pixels each line has.
    RECT rc;
    GetWindowRect(dlg->GetMagnifier()->m_hWnd, &rc);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, dlg->GetMagnifier()->InfoFont());
    for (const wchar_t* line : {L"RGB: (255, 255, 255)", L"POS: (8888, 8888)"}) {
        SIZE ext = {};
        GetTextExtentPoint32W(dc, line, lstrlenW(line), &ext);
        EXPECT_LE(8 + ext.cx, rect::Width(rc)) << testing::PrintToString(std::wstring(line));
        EXPECT_LE(ext.cy, 20);
    }
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
}

// The magnifier drawn into a 150 x 200 bitmap with the cursor at a known place.
class MagnifierPixels : public Detecting {
protected:
    std::vector<COLORREF> Draw(POINT cursor) {
        SetCursorPos(cursor.x, cursor.y);
        dlg->GetMagnifier()->MoveWindow(0, 0, 150, 200, FALSE);
        MemoryCanvas canvas(150, 200);
        CDC dc(canvas.dc());
        dlg->GetMagnifier()->DrawMagnifier(&dc);
        return canvas.Rows(0, 200);
    }
    // The panel with both text lines drawn by the test: grey, white text in the small dialog font.
    static std::vector<COLORREF> ExpectedPanel(const std::wstring& pos, const std::wstring& rgb) {
        MemoryCanvas canvas(150, 200);
        HBRUSH grey = CreateSolidBrush(0x00404040);
        RECT panel = {0, 150, 150, 200};
        FillRect(canvas.dc(), &panel, grey);
        DeleteObject(grey);
        SetTextColor(canvas.dc(), 0x00FFFFFF);
        SetBkColor(canvas.dc(), 0x00404040);
        HGDIOBJ oldFont = SelectObject(canvas.dc(), GetStockObject(DEFAULT_GUI_FONT));
        RECT l1 = {8, 156, 150, 176}, l2 = {8, 178, 150, 198};
        DrawTextW(canvas.dc(), pos.c_str(), -1, &l1, DT_VCENTER | DT_SINGLELINE);
        DrawTextW(canvas.dc(), rgb.c_str(), -1, &l2, DT_VCENTER | DT_SINGLELINE);
        SelectObject(canvas.dc(), oldFont);
        return canvas.Rows(150, 200);
    }
};

bool OnBar(int x, int y) {
    return x < 2 || y < 2 || x >= 148 || y >= 148 || x == 74 || x == 75 || y == 74 || y == 75;
}

TEST_F(MagnifierPixels, ZoomSquareCrosshairAndInfoOfTheRedControl) {
    const POINT cursor = {270, 210};  // over the red control
    const std::vector<COLORREF> px = Draw(cursor);
    // The square enlarges the 75 x 75 pixels from (cursor - 37) two times; the bars cover it in blue.
    int wrong = 0;
    for (int y = 0; y < 150; ++y) {
        for (int x = 0; x < 150; ++x) {
            const COLORREF got = px[y * 150 + x];
            const COLORREF want = OnBar(x, y) ? kOutline : DesktopAt(cursor.x - 37 + x / 2, cursor.y - 37 + y / 2);
            if (got != want && ++wrong < 4) ADD_FAILURE() << x << "," << y << ": " << std::hex << got << " vs " << want;
        }
    }
    EXPECT_EQ(wrong, 0);
    const std::vector<COLORREF> panel = ExpectedPanel(L"POS: (270, 210)", L"RGB: (255, 0, 0)");
    int differ = 0;
    for (int i = 0; i < 150 * 50; ++i) differ += px[150 * 150 + i] != panel[i];
    EXPECT_EQ(differ, 0);
}

TEST_F(MagnifierPixels, SourceSquareStaysInsideTheSnapshot) {
    const LONG cx = dlg->GetView().Width(), cy = dlg->GetView().Height();
    struct Case { const char* name; POINT cursor; POINT origin; } cases[] = {
        {"top-left corner", {0, 0}, {0, 0}},
        {"10 pixels from the right edge", {cx - 10, 100}, {cx - 75, 63}},
        {"bottom-right corner", {cx - 1, cy - 1}, {cx - 75, cy - 75}},
    };
    for (const Case& c : cases) {
        const std::vector<COLORREF> px = Draw(c.cursor);
        // Sample the image away from the bars.
        for (POINT p : std::vector<POINT>{{4, 4}, {60, 30}, {100, 120}, {140, 140}}) {
            EXPECT_EQ(px[p.y * 150 + p.x], DesktopAt(c.origin.x + p.x / 2, c.origin.y + p.y / 2)) << c.name << " " << p.x << "," << p.y;
        }
    }
}

TEST_F(Detecting, EscInTheMagnifierQuitsWithOneAndClosingItWithZero) {
    MSG esc = {dlg->GetMagnifier()->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0, 0, {0, 0}};
    dlg->GetMagnifier()->PreTranslateMessage(&esc);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 1u);
    SendMessageW(dlg->GetMagnifier()->m_hWnd, WM_CLOSE, 0, 0);
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0u);
}

}  // namespace
