// The text tool on the real capture window: where a click opens the box, how the box fits its text,
// the ways it closes into a text shape, and how it shows over the picture.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "palette/logic/Palette.h"
#include "tests/win/CaptureFixture.h"

namespace {

class TextTool : public CaptureTest {
protected:
    void SetUp() override {
        CaptureTest::SetUp();
        Select(RECT{300, 200, 800, 500});
        Command(ID_TOOL_TEXT);
    }
    void Click(POINT down, POINT up) {
        Send(WM_LBUTTONDOWN, MK_LBUTTON, down.x, down.y);
        Send(WM_LBUTTONUP, 0, up.x, up.y);
    }
    void Type(const std::wstring& s) {
        for (wchar_t c : s) SendMessageW(dlg->GetTextBox().Handle(), WM_CHAR, c, 1);
    }
    std::wstring Text() { return dlg->GetTextBox().Text(); }
    // A key pressed in the box, taken through the modal loop's steps with what it leads to.
    void KeyInBox(WPARAM vk, bool ctrl) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_CONTROL] = ctrl ? 0x80 : 0;
        SetKeyboardState(keys);
        MSG m = {dlg->GetTextBox().Handle(), WM_KEYDOWN, vk, 1, 0, {0, 0}};
        do {
            if (!AfxPreTranslateMessage(&m)) TranslateMessage(&m), DispatchMessageW(&m);
        } while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
    }
    // Waits until the capture window and the box have nothing left to paint.
    void Painted() {
        EXPECT_TRUE(testdesk::PumpUntil([&] {
            return testdesk::ShownAndPainted(dlg->m_hWnd) &&
                   (!dlg->GetTextBox().IsVisible() || testdesk::ShownAndPainted(dlg->GetTextBox().Handle()));
        }));
    }
    int LineHeight(int nSize) {
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, *dlg->GetMarks().Fonts().ForSize(nSize));
        TEXTMETRICW tm = {};
        GetTextMetricsW(dc, &tm);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        return tm.tmHeight;
    }
    int TextWidth(const std::wstring& line, int nSize) {
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, *dlg->GetMarks().Fonts().ForSize(nSize));
        SIZE ext = {};
        GetTextExtentPoint32W(dc, line.c_str(), static_cast<int>(line.size()), &ext);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        return ext.cx;
    }
    // The capture window's pixels inside r less its outer pixels (the box's frame), the box's included
    // with its caret kept out, or the picture's there. Read from the window: the screen shows them later.
    std::vector<COLORREF> Inside(RECT r, bool picture = false) {
        HideCaret(dlg->GetTextBox().Handle());
        HDC dc = GetDCEx(dlg->m_hWnd, nullptr, DCX_CACHE);
        std::vector<COLORREF> px;
        for (LONG y = r.top + 1; y < r.bottom - 1; ++y)
            for (LONG x = r.left + 1; x < r.right - 1; ++x) px.push_back(picture ? testdesk::PatternAt(x, y) : GetPixel(dc, x, y));
        ReleaseDC(dlg->m_hWnd, dc);
        ShowCaret(dlg->GetTextBox().Handle());
        return px;
    }
};

TEST_F(TextTool, ANearClickInsideTheSelectionOpensAnEmptyBoxWhereThePressWas) {
    struct Case { const char* name; POINT down, up, at; } cases[] = {
        {"click", {400, 300}, {400, 300}, {400, 300}},
        {"release 5 pixels off on both axes", {400, 300}, {405, 295}, {400, 300}},
        {"release 6 pixels off across", {400, 300}, {406, 300}, {}},
        {"release 6 pixels off down", {400, 300}, {400, 306}, {}},
        {"near release outside the selection", {304, 300}, {299, 300}, {}},
        {"press outside: the last press inside counts", {250, 300}, {306, 302}, {304, 300}},
    };
    for (const Case& c : cases) {
        Click(c.down, c.up);
        const bool opens = c.at.x != 0;
        ASSERT_EQ(dlg->GetTextBox().IsOpen() && dlg->GetTextBox().IsVisible(), opens) << c.name;
        if (opens) {
            EXPECT_TRUE(rect::Equal(dlg->GetTextBox().Rect(), RECT{c.at.x, c.at.y, c.at.x + 60, c.at.y + 40})) << c.name;
            Command(ID_TOOL_TEXT);  // closes the box
        }
    }
}

TEST_F(TextTool, TheBoxFitsItsWidestLineAndTheShapeTakesItsRectangle) {
    Command(ID_COLOR_BLUE);
    Click({400, 300}, {400, 300});
    Type(L"abc");
    Command(ID_SIZE_LARGE);  // refits in the new font at once
    EXPECT_TRUE(rect::Equal(dlg->GetTextBox().Rect(), RECT{400, 300, 430 + TextWidth(L"abc", 4), 340}));
    KeyInBox(VK_RETURN, true);
    Type(L"ab");
    EXPECT_EQ(Text(), L"abc\r\nab") << "Ctrl+Enter breaks the line";
    RECT box = dlg->GetTextBox().Rect();
    EXPECT_EQ(box.right, 430 + TextWidth(L"abc", 4));
    EXPECT_GE(rect::Height(box), 2 * LineHeight(4)) << "tall enough for both lines";
    const std::wstring wide(40, L'M');  // far wider than the 397 pixels left to the selection's edge
    Type(wide);
    box = dlg->GetTextBox().Rect();
    EXPECT_EQ(box.right, 797) << "the room left to the selection's edge, less 3";
    EXPECT_GE(rect::Height(box), (TextWidth(L"ab" + wide, 4) / 397 + 2) * 20);
    Command(ID_TOOL_TEXT);
    ASSERT_EQ(dlg->GetMarks().Count(), 1u);
    const CShape& s = *dlg->GetMarks().List()[0];
    EXPECT_EQ(s.nKind, SHAPE_TEXT);
    EXPECT_EQ(s.strText, L"abc\r\nab" + wide);
    EXPECT_EQ(s.nSize, 4);
    EXPECT_EQ(s.crColor, 0xFF0000u);
    EXPECT_TRUE(rect::Equal(RECT{s.ptFrom.x, s.ptFrom.y, s.ptTo.x, s.ptTo.y}, box));
    // Every line of the text fits the shape's rectangle, where it is drawn with wrapping.
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, *dlg->GetMarks().Fonts().ForSize(4));
    RECT need = {0, 0, rect::Width(box), 0};
    DrawTextW(dc, s.strText.c_str(), -1, &need, DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    EXPECT_LE(rect::Height(need), rect::Height(box));
}

TEST_F(TextTool, EveryWayOfClosingKeepsTheTextAndAnEmptyBoxLeavesNoShape) {
    struct Case { const char* name; const wchar_t* text; std::function<void()> close; size_t shapes; } cases[] = {
        {"press elsewhere", L"ab", [&] { Click({600, 400}, {650, 450}); }, 1},
        {"a tool chosen", L"ab", [&] { Command(ID_TOOL_RECT); }, 1},
        {"Enter", L"ab", [&] { KeyInBox(VK_RETURN, false); }, 1},
        {"undo takes the typed text back", L"ab", [&] { Command(ID_UNDO); }, 0},
        {"empty box, press elsewhere", L"", [&] { Click({600, 400}, {650, 450}); }, 0},
        {"empty box, Enter", L"", [&] { KeyInBox(VK_RETURN, false); }, 0},
        {"right press outside: the capture starts over", L"ab", [&] { Send(WM_RBUTTONDOWN, MK_RBUTTON, 100, 100); }, 0},
    };
    for (const Case& c : cases) {
        dlg->GetMarks().Clear();
        Command(ID_TOOL_TEXT);
        Click({400, 300}, {400, 300});
        Type(c.text);
        c.close();
        EXPECT_EQ(dlg->GetMarks().Count(), c.shapes) << c.name;
        EXPECT_FALSE(dlg->GetTextBox().IsVisible()) << c.name;
        EXPECT_FALSE(dlg->GetTextBox().IsOpen()) << c.name;
        EXPECT_TRUE(Text().empty()) << c.name;
    }
}

TEST_F(TextTool, TheTextShowsInItsColourOnThePictureAndLeavesNothingBehind) {
    Command(ID_COLOR_BLUE);
    Click({400, 300}, {400, 300});
    Type(L"MMMM");
    Painted();
    const RECT box = dlg->GetTextBox().Rect();
    const std::vector<COLORREF> typed = Inside(box), picture = Inside(box, true);
    size_t same = 0, blue = 0;
    for (size_t i = 0; i < typed.size(); ++i) same += typed[i] == picture[i], blue += typed[i] == 0xFF0000;
    EXPECT_GT(same, typed.size() / 2) << "no background of its own";
    EXPECT_GT(blue, 20u);

    SendMessageW(dlg->GetTextBox().Handle(), EM_SETSEL, 0, -1);
    Painted();
    SendMessageW(dlg->GetTextBox().Handle(), EM_SETSEL, 4, 4);
    Painted();
    EXPECT_EQ(Inside(box), typed) << "a selection taken away leaves no highlight";
    Type(L"\b\b\b\b");
    Painted();
    const RECT now = dlg->GetTextBox().Rect(), uncovered = {now.right - 1, box.top, box.right, box.bottom};
    EXPECT_EQ(Inside(now), Inside(now, true)) << "erased characters leave nothing";
    EXPECT_EQ(Inside(uncovered), Inside(uncovered, true));
}

// The rows and columns of ink (pixels of the text's colour where the picture has none) in r, per line of
// lineHeight pixels counted from the first row of ink: each line's leftmost and rightmost ink column.
std::vector<std::pair<LONG, LONG>> InkPerLine(const std::vector<COLORREF>& px, const std::vector<COLORREF>& picture,
                                              LONG width, COLORREF ink, int lineHeight) {
    std::vector<std::pair<LONG, LONG>> lines;
    LONG first = -1;
    for (size_t i = 0; i < px.size(); ++i) {
        if (px[i] != ink || picture[i] == ink) continue;
        const LONG y = static_cast<LONG>(i) / width, x = static_cast<LONG>(i) % width;
        if (first < 0) first = y;
        const size_t line = static_cast<size_t>((y - first + 2) / lineHeight);
        if (lines.size() <= line) lines.resize(line + 1, {width, -1});
        lines[line] = {std::min(lines[line].first, x), std::max(lines[line].second, x)};
    }
    return lines;
}

TEST_F(TextTool, TheTextShowsInItsBoxAtEveryKeyAndTheMarkKeepsTheBoxsLines) {
    // Lines that outgrow the box before it grows, a long word the box must break, and each size.
    struct Case { const char* name; int size; std::wstring text; } cases[] = {
        {"capitals, medium", SIZE_MEDIUM, L"HHHH"},
        {"words, small", SIZE_SMALL, L"Corvane abc"},
        {"words, large", SIZE_LARGE, L"Corvane abc"},
        {"a word wider than the room, medium", SIZE_MEDIUM, L"Corvane " + std::wstring(40, L'M') + L" abc"},
    };
    const UINT sizeCommand[] = {0, ID_SIZE_SMALL, ID_SIZE_MEDIUM, 0, ID_SIZE_LARGE};
    for (const Case& c : cases) {
        dlg->GetMarks().Clear();
        Command(sizeCommand[c.size]);
        Click({400, 210}, {400, 210});  // near the top: room below for every line, even at 192 DPI
        for (size_t i = 0; i < c.text.size(); ++i) {
            Type(c.text.substr(i, 1));
            Painted();
            const RECT box = dlg->GetTextBox().Rect();
            const auto lines = InkPerLine(Inside(box), Inside(box, true), rect::Width(box) - 2, RGB(255, 0, 0),
                                          LineHeight(c.size));
            const bool visible = c.text[i] == L' ' || (!lines.empty() && lines[0].second >= 0);
            ASSERT_TRUE(visible) << c.name << ": nothing shows after " << i + 1 << " characters";
        }
        const RECT box = dlg->GetTextBox().Rect();
        const auto typed = InkPerLine(Inside(box), Inside(box, true), rect::Width(box) - 2, RGB(255, 0, 0),
                                      LineHeight(c.size));
        Command(ID_TOOL_TEXT);  // commits
        ASSERT_EQ(dlg->GetMarks().Count(), 1u) << c.name;
        Painted();
        // The mark is drawn from the box's outer corner, its frame's pixels included.
        const RECT outer = {box.left - 1, box.top - 1, box.right + 1, box.bottom + 1};
        const auto kept = InkPerLine(Inside(outer), Inside(outer, true), rect::Width(box), RGB(255, 0, 0),
                                     LineHeight(c.size));
        ASSERT_EQ(kept.size(), typed.size()) << c.name << ": as many lines as the box showed";
        for (size_t i = 0; i < typed.size(); ++i) {
            EXPECT_EQ(kept[i].second - kept[i].first, typed[i].second - typed[i].first) << c.name << ", line " << i;
        }
    }
}

}  // namespace
