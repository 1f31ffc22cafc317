// The drag tools on the real capture window: what a drag commits, the frozen preview, and the pixels the
// shapes leave in the view and in the result.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "capture/CorvaneDlg.h"
#include "palette/logic/Palette.h"
#include "tests/win/CaptureFixture.h"
#include "tests/win/TestDesktop.h"

using testdesk::PatternAt;

namespace {

constexpr RECT kSel = {200, 200, 700, 500};

class Drawing : public CaptureTest {
protected:
    void SetUp() override {
        CaptureTest::SetUp();
        Select(kSel);
        ASSERT_TRUE(dlg->Phase().FixedRegion());
    }
    void Drag(std::vector<POINT> path, UINT flags = MK_LBUTTON) {
        Send(WM_LBUTTONDOWN, MK_LBUTTON, path.front().x, path.front().y);
        for (size_t i = 1; i < path.size(); ++i) Send(WM_MOUSEMOVE, flags, path[i].x, path[i].y);
        Send(WM_LBUTTONUP, 0, path.back().x, path.back().y);
    }
    COLORREF ViewAt(int x, int y) { return GetPixel(dlg->GetView().Buffer(), x, y); }
};

std::string Str(POINT p) { return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")"; }

// A release that comes without a press of its own (the second of a double-click) commits nothing more.
TEST_F(Drawing, AReleaseWithoutItsPressCommitsNothing) {
    for (UINT tool : {ID_TOOL_RECT, ID_TOOL_ELLIPSE, ID_TOOL_ARROW, ID_TOOL_PEN}) {
        Command(tool);
        const size_t before = dlg->GetMarks().Count();
        Drag({{300, 300}, {350, 340}});
        ASSERT_EQ(dlg->GetMarks().Count(), before + 1) << tool;
        Send(WM_LBUTTONUP, 0, 380, 360);
        EXPECT_EQ(dlg->GetMarks().Count(), before + 1) << tool;
    }
}

TEST_F(Drawing, DragsCommitTheirRecords) {
    struct Case {
        const char* name;
        UINT tool;
        std::vector<POINT> path;
        int kind;  // SHAPE_NONE: nothing committed
        POINT from;
        POINT to;
        size_t points;
    } cases[] = {
        {"arrow click", ID_TOOL_ARROW, {{300, 300}}, SHAPE_NONE, {}, {}, 0},
        {"arrow drag", ID_TOOL_ARROW, {{300, 300}, {350, 320}, {400, 340}}, SHAPE_ARROW, {300, 300}, {400, 340}, 0},
        {"arrow out of the selection stops at the clamped point", ID_TOOL_ARROW, {{300, 300}, {650, 450}, {900, 600}},
         SHAPE_ARROW, {300, 300}, {697, 497}, 0},
        {"rectangle click", ID_TOOL_RECT, {{300, 300}}, SHAPE_RECT, {300, 300}, {300, 300}, 0},
        {"rectangle dragged up-left", ID_TOOL_RECT, {{400, 400}, {350, 350}, {300, 320}}, SHAPE_RECT, {300, 320},
         {400, 400}, 0},
        {"ellipse click", ID_TOOL_ELLIPSE, {{300, 300}}, SHAPE_ELLIPSE, {300, 300}, {300, 300}, 0},
        {"pen click: two equal points", ID_TOOL_PEN, {{300, 300}}, SHAPE_PEN, {}, {}, 2},
        {"pen stroke", ID_TOOL_PEN, {{300, 300}, {310, 305}, {320, 315}}, SHAPE_PEN, {}, {}, 4},
        {"press outside the selection", ID_TOOL_RECT, {{100, 100}, {300, 300}}, SHAPE_NONE, {}, {}, 0},
    };
    for (const Case& c : cases) {
        Command(c.tool);
        const size_t before = dlg->GetMarks().Count();
        Drag(c.path);
        if (c.kind == SHAPE_NONE) {
            EXPECT_EQ(dlg->GetMarks().Count(), before) << c.name;
            continue;
        }
        ASSERT_EQ(dlg->GetMarks().Count(), before + 1) << c.name;
        const CShape& s = *dlg->GetMarks().List().back();
        EXPECT_EQ(s.nKind, c.kind) << c.name;
        EXPECT_EQ(s.nSize, 2) << c.name;
        EXPECT_EQ(s.crColor, 0x000000FFu) << c.name;
        if (c.kind == SHAPE_PEN) {
            ASSERT_EQ(s.points.size(), c.points) << c.name;
            EXPECT_EQ(Str(s.points.front()), Str(c.path.front())) << c.name;
            EXPECT_EQ(Str(s.points.back()), Str(c.path.back())) << c.name;
        } else {
            EXPECT_EQ(Str(s.ptFrom), Str(c.from)) << c.name;
            EXPECT_EQ(Str(s.ptTo), Str(c.to)) << c.name;
        }
        EXPECT_EQ(dlg->GetMarks().Preview(), nullptr) << c.name << ": the preview ends with the release";
    }
}

TEST_F(Drawing, ShiftOrCtrlFreezesThePreviewAndTheStroke) {
    for (UINT held : {UINT(MK_SHIFT), UINT(MK_CONTROL)}) {
        Command(ID_TOOL_ELLIPSE);
        Send(WM_LBUTTONDOWN, MK_LBUTTON, 300, 300);
        Send(WM_MOUSEMOVE, MK_LBUTTON, 350, 340);
        Send(WM_MOUSEMOVE, MK_LBUTTON | held, 420, 380);
        ASSERT_NE(dlg->GetMarks().Preview(), nullptr);
        EXPECT_EQ(Str(dlg->GetMarks().Preview()->ptTo), "(350,340)") << held;
        Send(WM_LBUTTONUP, 0, 420, 380);
        EXPECT_EQ(Str(dlg->GetMarks().List().back()->ptTo), "(420,380)") << held << ": the release still ends it";

        Command(ID_TOOL_PEN);
        Send(WM_LBUTTONDOWN, MK_LBUTTON, 300, 300);
        Send(WM_MOUSEMOVE, MK_LBUTTON, 310, 310);
        Send(WM_MOUSEMOVE, MK_LBUTTON | held, 320, 320);
        Send(WM_LBUTTONUP, 0, 330, 330);
        EXPECT_EQ(dlg->GetMarks().List().back()->points.size(), 3u) << held << ": the press, one step, the release";
    }
}

TEST_F(Drawing, AReleaseWhereTheSelectionDragEndedCommitsNothing) {
    Command(ID_TOOL_RECT);
    Drag({{300, 300}, {500, 400}, {kSel.right, kSel.bottom}});
    EXPECT_TRUE(dlg->GetMarks().Empty());
}

TEST_F(Drawing, ShapesPaintOverTheViewOldestFirstAndTheResultIsTheView) {
    Command(ID_TOOL_RECT);
    Drag({{300, 250}, {400, 330}});
    Command(ID_COLOR_BLUE);
    Drag({{300, 250}, {450, 380}});
    // Both top edges run along y = 250: the later, blue one is on top.
    EXPECT_EQ(ViewAt(350, 250), 0x00FF0000u);
    EXPECT_EQ(ViewAt(350, 249), 0x00FF0000u);
    EXPECT_EQ(ViewAt(300, 300), 0x00FF0000u) << "shared left edge";
    EXPECT_EQ(ViewAt(400, 300), 0x000000FFu) << "the red one's own right edge";
    EXPECT_EQ(ViewAt(350, 290), PatternAt(350, 290)) << "inside: the frozen picture";
    EXPECT_EQ(ViewAt(420, 300), PatternAt(420, 300));

    dlg->BuildResultImage();
    int cx = 0, cy = 0;
    const std::vector<COLORREF> px = ReadBitmap(dlg->ResultImage(), &cx, &cy);
    ASSERT_EQ(cx, 495);
    ASSERT_EQ(cy, 295);
    int mismatches = 0;
    for (int y = 0; y < cy; ++y) {
        for (int x = 0; x < cx; ++x) {
            if (px[static_cast<size_t>(y) * cx + x] != ViewAt(kSel.left + 2 + x, kSel.top + 2 + y) && ++mismatches <= 3) {
                ADD_FAILURE() << "result pixel " << x << "," << y;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

}  // namespace
