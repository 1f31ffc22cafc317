// The tool palette on the real capture window: the bars beside the selection, the commands they send,
// the pointer window, undo, and the output with the bars floating over the selection.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "capture/CorvaneDlg.h"
#include "palette/PointerWindow.h"
#include "palette/logic/Palette.h"
#include "tests/win/CaptureFixture.h"
#include "tests/win/TestDesktop.h"

using testdesk::PatternAt;

namespace {

RECT ClientRectOf(HWND parent, HWND child) {
    RECT rc;
    GetWindowRect(child, &rc);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

class Palette : public CaptureTest {
protected:
    int Image(CToolBar& bar, int index) {
        UINT id, style;
        int image;
        bar.GetButtonInfo(index, &id, &style, &image);
        return image;
    }
    bool Visible(CWnd& w) { return IsWindowVisible(w.m_hWnd) != FALSE; }
    HWND Pointer() { return dlg->GetPalette().Pointer()->m_hWnd; }
    bool BarsPainted() {
        return testdesk::ShownAndPainted(dlg->GetPalette().MainBar().m_hWnd) && testdesk::ShownAndPainted(dlg->GetPalette().OptionBar().m_hWnd);
    }
};

TEST_F(Palette, BarsAreBuiltHiddenWithEveryIcon) {
    EXPECT_FALSE(Visible(dlg->GetPalette().MainBar()));
    EXPECT_FALSE(Visible(dlg->GetPalette().OptionBar()));
    EXPECT_FALSE(IsWindowVisible(Pointer()));
    EXPECT_EQ(dlg->GetPalette().MainImages().GetImageCount(), 10);
    EXPECT_EQ(dlg->GetPalette().OptionImages().GetImageCount(), 19);
    EXPECT_EQ(dlg->GetPalette().MainBar().GetCount(), 10);
    EXPECT_EQ(dlg->GetPalette().OptionBar().GetCount(), 10);
    RECT rc;
    GetWindowRect(dlg->GetPalette().MainBar().m_hWnd, &rc);
    EXPECT_EQ(rect::Height(rc), 44) << "one row of 40-pixel buttons and the bar's edges";
    GetWindowRect(dlg->GetPalette().OptionBar().m_hWnd, &rc);
    EXPECT_EQ(rect::Height(rc), 40) << "one row of 36-pixel buttons and the bar's edges";
    ASSERT_NE(dlg->GetPalette().Pointer()->Picture(), nullptr) << "the pointer picture decodes";
    EXPECT_EQ(dlg->GetPalette().Pointer()->Picture()->GetWidth(), 40u);
    EXPECT_EQ(dlg->GetPalette().Pointer()->Picture()->GetHeight(), 20u);
}

TEST_F(Palette, AFixedSelectionShowsTheMainBarAndAToolTheRest) {
    const RECT sel = {300, 200, 800, 500};
    Select(sel);
    ASSERT_TRUE(dlg->Phase().FixedRegion());
    EXPECT_TRUE(Visible(dlg->GetPalette().MainBar()));
    EXPECT_FALSE(Visible(dlg->GetPalette().OptionBar())) << "no tool yet";
    const palette::BarPlacement want = palette::PlaceBars(sel, 44, 40, dlg->GetView().Height(), true);
    EXPECT_TRUE(rect::Equal(ClientRectOf(dlg->m_hWnd, dlg->GetPalette().MainBar().m_hWnd), want.mainBar));

    Command(ID_TOOL_ELLIPSE);
    EXPECT_EQ(dlg->GetPalette().Tool(), TOOL_ELLIPSE);
    EXPECT_TRUE(dlg->ToolChosen());
    EXPECT_TRUE(Visible(dlg->GetPalette().OptionBar()));
    EXPECT_TRUE(rect::Equal(ClientRectOf(dlg->m_hWnd, dlg->GetPalette().OptionBar().m_hWnd), want.optionBar));
    EXPECT_TRUE(IsWindowVisible(Pointer()));
    RECT rcPointer;
    GetWindowRect(Pointer(), &rcPointer);
    const RECT wantPointer = {want.mainBar.left + 90, want.optionBar.top - 10, want.mainBar.left + 110, want.optionBar.top};
    EXPECT_TRUE(rect::Equal(rcPointer, wantPointer)) << "the test desktop starts at (0, 0)";
    EXPECT_EQ(GetActiveWindow(), dlg->m_hWnd) << "the pointer takes no activation";
    const LONG ex = GetWindowLongW(Pointer(), GWL_EXSTYLE);
    EXPECT_EQ(ex & (WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE),
              WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE) << "clicks pass through it";

    // A press on a handle hides the palette for the drag; the release brings it back.
    Send(WM_LBUTTONDOWN, MK_LBUTTON, sel.right, sel.bottom);
    EXPECT_FALSE(Visible(dlg->GetPalette().MainBar()));
    EXPECT_FALSE(IsWindowVisible(Pointer()));
    Send(WM_LBUTTONUP, 0, sel.right, sel.bottom);
    EXPECT_TRUE(Visible(dlg->GetPalette().MainBar()));
    EXPECT_TRUE(Visible(dlg->GetPalette().OptionBar()));
    EXPECT_TRUE(IsWindowVisible(Pointer()));
}

TEST_F(Palette, ColourAndSizeCommandsSwapTheirButtonsImages) {
    Select(RECT{300, 200, 800, 500});
    struct Step { const char* name; UINT id; COLORREF color; int index; int size; std::vector<int> images; } steps[] = {
        // images: option buttons 0, 1, 2 (sizes) and 4..9 (colours)
        {"start", 0, 0x0000FF, 0, 2, {0, 3, 4, 8, 9, 11, 13, 15, 17}},
        {"blue", ID_COLOR_BLUE, 0xFF0000, 2, 2, {0, 3, 4, 7, 9, 12, 13, 15, 17}},
        {"blue again stays selected", ID_COLOR_BLUE, 0xFF0000, 2, 2, {0, 3, 4, 7, 9, 12, 13, 15, 17}},
        {"white", ID_COLOR_WHITE, 0xFFFFFF, 5, 2, {0, 3, 4, 7, 9, 11, 13, 15, 18}},
        {"small", ID_SIZE_SMALL, 0xFFFFFF, 5, 1, {1, 2, 4, 7, 9, 11, 13, 15, 18}},
        {"large", ID_SIZE_LARGE, 0xFFFFFF, 5, 4, {0, 2, 5, 7, 9, 11, 13, 15, 18}},
        {"medium again", ID_SIZE_MEDIUM, 0xFFFFFF, 5, 2, {0, 3, 4, 7, 9, 11, 13, 15, 18}},
    };
    for (const Step& s : steps) {
        if (s.id) Command(s.id);
        EXPECT_EQ(dlg->GetPalette().Color(), s.color) << s.name;
        EXPECT_EQ(dlg->GetPalette().ColorIndex(), s.index) << s.name;
        EXPECT_EQ(dlg->GetPalette().Size(), s.size) << s.name;
        std::vector<int> got;
        for (int b : {0, 1, 2, 4, 5, 6, 7, 8, 9}) got.push_back(Image(dlg->GetPalette().OptionBar(), b));
        EXPECT_EQ(got, s.images) << s.name;
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(dlg->GetTextBox().Handle(), WM_GETFONT, 0, 0)),
                  static_cast<HFONT>(*dlg->GetMarks().Fonts().ForSize(s.size))) << s.name;
    }
    EXPECT_EQ(dlg->GetPalette().Tool(), TOOL_NONE) << "colours and sizes choose no tool";
}

TEST_F(Palette, ToolTipsNameTheToolsAndLeaveTheColoursBlank) {
    struct Case { UINT id; const wchar_t* text; } cases[] = {
        {ID_TOOL_RECT, L"矩形"}, {ID_DONE, L"完成"}, {ID_SIZE_MEDIUM, L"中(或中等字体)"}, {ID_COLOR_GREEN, nullptr},
    };
    for (const Case& c : cases) {
        const wchar_t* text = TooltipFor(c.id);
        if (c.text) {
            ASSERT_NE(text, nullptr) << c.id;
            EXPECT_STREQ(text, c.text);
        } else {
            EXPECT_EQ(text, nullptr) << c.id;
        }
    }
}

TEST_F(Palette, UndoTakesTheLastShapeAndWithNoneLeftTheSelection) {
    Select(RECT{300, 200, 800, 500});
    Command(ID_TOOL_RECT);
    for (LONG x : {310, 320, 330}) {
        auto s = std::make_unique<CShape>();
        s->nKind = SHAPE_RECT;
        s->ptFrom = {x, 210};
        s->ptTo = {x + 100, 260};
        dlg->GetMarks().Add(std::move(*s));
    }
    Command(ID_UNDO);
    ASSERT_EQ(dlg->GetMarks().Count(), 2u);
    EXPECT_EQ(dlg->GetMarks().List().back()->ptFrom.x, 320) << "the newest went first";
    EXPECT_TRUE(rect::Equal(dlg->GetMarks().Bounds(), RECT{310, 210, 420, 260}));
    Command(ID_UNDO);
    Command(ID_UNDO);
    EXPECT_TRUE(dlg->Phase().FixedRegion()) << "undoing the last shape keeps the selection";
    Command(ID_UNDO);
    EXPECT_FALSE(dlg->Phase().FixedRegion());
    EXPECT_TRUE(dlg->Phase().Detecting());
    EXPECT_EQ(dlg->GetPalette().Tool(), TOOL_NONE);
    EXPECT_FALSE(Visible(dlg->GetPalette().MainBar()));
    EXPECT_FALSE(Visible(dlg->GetPalette().OptionBar()));
    EXPECT_FALSE(IsWindowVisible(Pointer()));
    EXPECT_FALSE(dlg->GetPalette().MainBar().IsButtonChecked(ID_TOOL_RECT));
}

// A selection nearly as tall as the view puts the bars inside it, over the picture.
class PaletteInside : public Palette {
protected:
    RECT InsideSelection() {
        return RECT{100, 30, dlg->GetView().Width() - 100, dlg->GetView().Height() - 10};
    }
};

TEST_F(PaletteInside, TheResultIsThePictureNotTheBarsOverIt) {
    const RECT sel = InsideSelection();
    Select(sel);
    Command(ID_TOOL_PEN);
    ASSERT_TRUE(testdesk::PumpUntil([&] { return BarsPainted(); }));
    const RECT bar = ClientRectOf(dlg->m_hWnd, dlg->GetPalette().MainBar().m_hWnd);
    ASSERT_TRUE(Visible(dlg->GetPalette().MainBar()) && Visible(dlg->GetPalette().OptionBar()));
    ASSERT_TRUE(rect::Contains(sel, POINT{bar.left, bar.top})) << "the bars are inside the selection";

    dlg->BuildResultImage();
    int cx = 0, cy = 0;
    const std::vector<COLORREF> px = ReadBitmap(dlg->ResultImage(), &cx, &cy);
    ASSERT_EQ(cx, rect::Width(sel) - 5);
    ASSERT_EQ(cy, rect::Height(sel) - 5);
    int mismatches = 0;
    for (int y = 0; y < cy; ++y) {
        for (int x = 0; x < cx; ++x) {
            if (px[static_cast<size_t>(y) * cx + x] != PatternAt(sel.left + 2 + x, sel.top + 2 + y) && ++mismatches <= 3) {
                ADD_FAILURE() << "pixel " << x << "," << y;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST_F(PaletteInside, RepaintingTheViewLeavesTheBarsAlone) {
    Select(InsideSelection());
    Command(ID_TOOL_RECT);
    ASSERT_TRUE(testdesk::PumpUntil([&] { return BarsPainted(); }));
    const RECT bar = ClientRectOf(dlg->m_hWnd, dlg->GetPalette().MainBar().m_hWnd);
    HDC dc = GetDC(dlg->m_hWnd);
    std::vector<COLORREF> before, after;
    for (LONG x = bar.left; x < bar.right; x += 7) before.push_back(GetPixel(dc, x, bar.top + 21));
    // The view repaints synchronously; the bars get no chance to paint themselves again before the read.
    dlg->Invalidate(FALSE);
    dlg->UpdateWindow();
    for (LONG x = bar.left; x < bar.right; x += 7) after.push_back(GetPixel(dc, x, bar.top + 21));
    ReleaseDC(dlg->m_hWnd, dc);
    EXPECT_EQ(after, before);
    bool showsPicture = true;
    for (size_t i = 0; i < after.size(); ++i) showsPicture &= after[i] == PatternAt(bar.left + 7 * static_cast<LONG>(i), bar.top + 21);
    EXPECT_FALSE(showsPicture) << "the bar, not the view, is on the screen";
}

TEST_F(Palette, OnlyTheChosenToolsButtonLooksChosen) {
    Select(RECT{300, 200, 900, 600});
    HWND bar = dlg->GetPalette().MainBar().m_hWnd;
    auto centre = [&](UINT id) {
        RECT rc;
        SendMessageW(bar, TB_GETRECT, id, reinterpret_cast<LPARAM>(&rc));
        return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    };
    auto lit = [&] { return static_cast<int>(SendMessageW(bar, TB_GETHOTITEM, 0, 0)); };
    // A press on the ellipse button dragged off the bar into the region and released there chooses
    // nothing and leaves no button lit.
    const POINT ellipse = centre(ID_TOOL_ELLIPSE);
    POINT onBar = ellipse;
    ClientToScreen(bar, &onBar);
    SetCursorPos(onBar.x, onBar.y);
    SendMessageW(bar, WM_MOUSEMOVE, 0, MAKELPARAM(ellipse.x, ellipse.y));
    SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ellipse.x, ellipse.y));
    POINT off = {600, 400};
    ScreenToClient(bar, &off);
    SetCursorPos(600, 400);
    SendMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(off.x, off.y));
    SendMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(off.x, off.y));
    EXPECT_EQ(dlg->GetPalette().Tool(), TOOL_NONE);
    EXPECT_FALSE(SendMessageW(bar, TB_ISBUTTONCHECKED, ID_TOOL_ELLIPSE, 0));
    EXPECT_EQ(lit(), -1) << "the ellipse button lit with the mouse away";

    // Undo clicked while typing: the bar gets the keyboard; the lit button is the one under the mouse.
    Command(ID_TOOL_TEXT);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 400, 300);
    Send(WM_LBUTTONUP, 0, 400, 300);
    SendMessageW(dlg->GetTextBox().Handle(), WM_CHAR, L'a', 1);
    POINT undo = centre(ID_UNDO);
    ClientToScreen(bar, &undo);
    SetCursorPos(undo.x, undo.y);
    Command(ID_UNDO);
    EXPECT_EQ(GetFocus(), bar);
    EXPECT_EQ(lit(), static_cast<int>(SendMessageW(bar, TB_COMMANDTOINDEX, ID_UNDO, 0)));
}

}  // namespace
