// Rules a user sees that no other test holds: what the open text box does when other things happen, what
// a drag shows and yields before its release, the bars during a drag, the texts and colours the palette
// offers, and where the keyboard goes after a text is kept. They hold the capture's behaviour as it is,
// whatever shape its code takes.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "palette/logic/CommandIds.h"
#include "tests/win/CaptureFixture.h"
#include "tests/win/TestDesktop.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);

class UserRules : public CaptureTest {
protected:
    void SetUp() override {
        CaptureTest::SetUp();
        Select(RECT{300, 200, 800, 500});
    }
    void Click(POINT p) {
        Send(WM_LBUTTONDOWN, MK_LBUTTON, p.x, p.y);
        Send(WM_LBUTTONUP, 0, p.x, p.y);
    }
    void OpenBox(POINT p, const std::wstring& text) {
        Command(ID_TOOL_TEXT);
        Click(p);
        for (wchar_t c : text) SendMessageW(dlg->GetTextBox().Handle(), WM_CHAR, c, 1);
    }
    void Painted() {
        EXPECT_TRUE(testdesk::PumpUntil([&] {
            return testdesk::ShownAndPainted(dlg->m_hWnd) &&
                   (!dlg->GetTextBox().IsVisible() || testdesk::ShownAndPainted(dlg->GetTextBox().Handle()));
        }));
    }
    // Pixels of colour c on the capture window within r, where the known picture has another colour.
    int CountOnWindow(RECT r, COLORREF c) {
        HideCaret(dlg->GetTextBox().Handle());
        HDC dc = GetDCEx(dlg->m_hWnd, nullptr, DCX_CACHE);
        int n = 0;
        for (LONG y = r.top; y < r.bottom; ++y)
            for (LONG x = r.left; x < r.right; ++x) n += GetPixel(dc, x, y) == c && testdesk::PatternAt(x, y) != c;
        ReleaseDC(dlg->m_hWnd, dc);
        ShowCaret(dlg->GetTextBox().Handle());
        return n;
    }
};

TEST_F(UserRules, ChangingTheColourWhileTypingRecoloursTheOpenText) {
    OpenBox({400, 300}, L"MMMM");
    Painted();
    const RECT box = dlg->GetTextBox().Rect();
    EXPECT_GT(CountOnWindow(box, kRed), 20);
    Command(ID_COLOR_BLUE);
    Painted();
    EXPECT_EQ(CountOnWindow(box, kRed), 0);
    EXPECT_GT(CountOnWindow(box, kBlue), 20);
}

TEST_F(UserRules, AHandleDragWithABoxOpenResizesAndKeepsTheBox) {
    OpenBox({400, 300}, L"ab");
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 800, 500);
    Send(WM_MOUSEMOVE, MK_LBUTTON, 850, 550);
    Send(WM_LBUTTONUP, 0, 850, 550);
    EXPECT_TRUE(rect::Equal(dlg->GetSelection().Rect(), RECT{300, 200, 850, 550}));
    EXPECT_TRUE(dlg->GetTextBox().IsVisible() && dlg->GetTextBox().IsOpen());
    EXPECT_EQ(dlg->GetTextBox().Text(), L"ab");
    EXPECT_TRUE(dlg->GetMarks().Empty());
}

TEST_F(UserRules, APressElsewhereKeepsOneTextAndOpensTheNextBox) {
    OpenBox({400, 300}, L"ab");
    Click({600, 400});
    ASSERT_EQ(dlg->GetMarks().Count(), 1u);
    EXPECT_EQ(dlg->GetMarks().List()[0]->strText, L"ab");
    EXPECT_TRUE(rect::SamePoint(dlg->GetMarks().List()[0]->ptFrom, POINT{400, 300}));
    const RECT box = dlg->GetTextBox().Rect();
    EXPECT_TRUE(dlg->GetTextBox().IsVisible() && dlg->GetTextBox().IsOpen());
    EXPECT_TRUE(box.left == 600 && box.top == 400);
    EXPECT_TRUE(dlg->GetTextBox().Text().empty());
}

TEST_F(UserRules, UndoWithAnEmptyBoxOpenTakesThePreviousMark) {
    OpenBox({400, 300}, L"ab");
    Command(ID_TOOL_TEXT);  // kept
    ASSERT_EQ(dlg->GetMarks().Count(), 1u);
    Click({600, 400});
    ASSERT_TRUE(dlg->GetTextBox().IsVisible());
    Command(ID_UNDO);
    EXPECT_TRUE(dlg->GetMarks().Empty());
    EXPECT_TRUE(dlg->Phase().FixedRegion()) << "the region stays";
    EXPECT_FALSE(dlg->GetTextBox().IsVisible());
}

TEST_F(UserRules, EachDragToolShowsItsPreviewOnTheWindowAndAMarkBeingDraggedIsInTheResult) {
    // From (400,300) towards (500,400), red and 2 wide: a pixel of each mark's line, give or take one.
    struct Case { const char* name; UINT tool; POINT on; } cases[] = {
        {"rectangle: its left edge", ID_TOOL_RECT, {400, 350}},
        {"ellipse: its leftmost point", ID_TOOL_ELLIPSE, {400, 350}},
        {"arrow: inside its head, 8 pixels back from the tip", ID_TOOL_ARROW, {494, 394}},
        {"pen: its first segment", ID_TOOL_PEN, {425, 325}},
    };
    for (const Case& c : cases) {
        Command(c.tool);
        Send(WM_MOUSEMOVE, 0, 400, 300);
        Send(WM_LBUTTONDOWN, MK_LBUTTON, 400, 300);
        for (LONG step : {25, 50, 75, 100}) Send(WM_MOUSEMOVE, MK_LBUTTON, 400 + step, 300 + step);
        const RECT around = {c.on.x - 1, c.on.y - 1, c.on.x + 2, c.on.y + 2};
        EXPECT_GT(CountOnWindow(around, kRed), 0) << c.name << ": on the window during the drag";
        if (c.tool == ID_TOOL_RECT) {
            // The result while the button is still down (as a double-click elsewhere or 完成 takes it).
            dlg->BuildResultImage();
            int cx = 0, cy = 0;
            const std::vector<COLORREF> px = ReadBitmap(static_cast<HBITMAP>(dlg->ResultImage().GetSafeHandle()), &cx, &cy);
            ASSERT_EQ(cx, 495);
            EXPECT_EQ(px[static_cast<size_t>(350 - 202) * cx + (400 - 302)], kRed) << "the dragged rectangle in the result";
        }
        Send(WM_LBUTTONUP, 0, 500, 400);
    }
}

TEST_F(UserRules, EachDragStepShowsItsPreviewAtOnceAndNoLongerTheLastOne) {
    Command(ID_TOOL_RECT);
    Send(WM_MOUSEMOVE, 0, 400, 300);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 400, 300);
    Send(WM_MOUSEMOVE, MK_LBUTTON, 450, 350);
    ValidateRect(dlg->m_hWnd, nullptr);  // nothing is left for a later paint: the step itself must show it
    Send(WM_MOUSEMOVE, MK_LBUTTON, 500, 420);
    EXPECT_GT(CountOnWindow(RECT{459, 418, 462, 422}, kRed), 0) << "the new bottom edge";
    EXPECT_EQ(CountOnWindow(RECT{429, 349, 432, 352}, kRed), 0) << "the last step's bottom edge";
    Send(WM_LBUTTONUP, 0, 500, 420);
}

TEST_F(UserRules, TheBarsHideDuringADragWhenTheySitInsideTheRegion) {
    // A region with no room above or below it for the bars: they sit inside, and go away while a mark
    // is dragged over them.
    const LONG cx = dlg->GetView().Width(), cy = dlg->GetView().Height();
    Send(WM_RBUTTONDOWN, MK_RBUTTON, 100, 100);  // starts over
    Select(RECT{5, 5, cx - 5, cy - 5});
    Command(ID_TOOL_RECT);
    ASSERT_TRUE(IsWindowVisible(dlg->GetPalette().MainBar().m_hWnd));
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 100, 100);
    Send(WM_MOUSEMOVE, MK_LBUTTON, 200, 200);
    EXPECT_FALSE(IsWindowVisible(dlg->GetPalette().MainBar().m_hWnd));
    EXPECT_FALSE(IsWindowVisible(dlg->GetPalette().OptionBar().m_hWnd));
    Send(WM_LBUTTONUP, 0, 200, 200);
    EXPECT_TRUE(IsWindowVisible(dlg->GetPalette().MainBar().m_hWnd));
}

TEST_F(UserRules, EveryTooltipAndEveryColour) {
    struct Tip { UINT id; const wchar_t* text; } tips[] = {
        {ID_TOOL_ARROW, L"箭头"}, {ID_TOOL_RECT, L"矩形"}, {ID_TOOL_ELLIPSE, L"椭圆"}, {ID_TOOL_PEN, L"画笔"},
        {ID_TOOL_TEXT, L"文字"}, {ID_UNDO, L"撤销"}, {ID_SAVE, L"保存"}, {ID_CLOSE, L"关闭"}, {ID_DONE, L"完成"},
        {ID_SIZE_SMALL, L"细(或小字体)"}, {ID_SIZE_MEDIUM, L"中(或中等字体)"}, {ID_SIZE_LARGE, L"粗(或大字体)"},
    };
    for (const Tip& t : tips) {
        const wchar_t* text = TooltipFor(t.id);
        ASSERT_NE(text, nullptr) << t.id;
        EXPECT_EQ(std::wstring(text), std::wstring(t.text)) << t.id;
    }
    struct Colour { UINT id; COLORREF cr; } colours[] = {
        {ID_COLOR_RED, 0x000000FF}, {ID_COLOR_YELLOW, 0x0000FFFF}, {ID_COLOR_BLUE, 0x00FF0000},
        {ID_COLOR_GREEN, 0x0000FF00}, {ID_COLOR_BLACK, 0x00000000}, {ID_COLOR_WHITE, 0x00FFFFFF},
    };
    Command(ID_TOOL_PEN);
    for (const Colour& c : colours) {
        Command(c.id);
        EXPECT_EQ(dlg->GetPalette().Color(), c.cr) << c.id;
    }
}

TEST_F(UserRules, AfterATextIsKeptTheKeyboardIsWithTheMainBarAndNoButtonIsLit) {
    SetCursorPos(5, 5);
    for (UINT keepBy : {ID_TOOL_RECT, ID_TOOL_TEXT}) {
        OpenBox({400, 300}, L"ab");
        Command(keepBy);
        EXPECT_EQ(GetFocus(), dlg->GetPalette().MainBar().m_hWnd) << keepBy;
        EXPECT_EQ(SendMessageW(dlg->GetPalette().MainBar().m_hWnd, TB_GETHOTITEM, 0, 0), -1) << keepBy;
    }
}

}  // namespace
