// A step of the mouse recomposes and repaints only what changes: the view and the window must then hold
// exactly what composing the whole view the plain way (every band blended through GDI) gives.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "capture/CorvaneDlg.h"
#include "tests/win/CaptureFixture.h"

namespace {

std::string Str(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

class ViewSteps : public CaptureTest {
protected:
    // All 32 bits of each pixel of a surface the size of the view, row by row.
    std::vector<uint32_t> Read(CDC* pDC) {
        const int cx = dlg->GetView().Width(), cy = dlg->GetView().Height();
        CBitmapDC copy;
        EXPECT_TRUE(copy.CreateDib(pDC, cx, cy));
        BitBlt(copy, 0, 0, cx, cy, *pDC, 0, 0, SRCCOPY);
        GdiFlush();
        return std::vector<uint32_t>(copy.Pixels(), copy.Pixels() + size_t(cx) * cy);
    }
    std::vector<uint32_t> View() { return Read(&dlg->GetView().Buffer()); }
    // The window's client area as it shows now; the fourth byte of its pixels means nothing on screen.
    std::vector<uint32_t> Window() {
        CClientDC dcWindow(dlg.get());
        std::vector<uint32_t> px = Read(&dcWindow);
        for (uint32_t& p : px) p &= 0xFFFFFF;
        return px;
    }
    // The view composed whole with the plain dimming, and the view left as it was.
    std::vector<uint32_t> Plain(bool hover) {
        const int cx = dlg->GetView().Width(), cy = dlg->GetView().Height();
        CBitmapDC kept;
        EXPECT_TRUE(kept.CreateDib(&dlg->GetView().Buffer(), cx, cy));
        BitBlt(kept, 0, 0, cx, cy, dlg->GetView().Buffer(), 0, 0, SRCCOPY);
        dlg->GetView().DimWithTable(false);
        if (hover) {
            dlg->ComposeHoverView(dlg->Hovered());
        } else {
            dlg->ComposeView();
        }
        dlg->GetView().DimWithTable(true);
        const std::vector<uint32_t> plain = View();
        BitBlt(dlg->GetView().Buffer(), 0, 0, cx, cy, kept, 0, 0, SRCCOPY);
        return plain;
    }
    // Where the two differ first, for the message.
    static std::string FirstDifference(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, int cx) {
        for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
            if (a[i] != b[i]) return "first at " + std::to_string(i % cx) + "," + std::to_string(i / cx);
        }
        return "sizes " + std::to_string(a.size()) + " and " + std::to_string(b.size());
    }
    void ExpectStepEqualsPlain(const char* name, const RECT& to, bool hover) {
        ASSERT_TRUE(dlg->GetView().DimsWithTable());
        if (hover) {
            dlg->ShowHover(to);
        } else {
            dlg->GetSelection().SetRect(to);
            dlg->RefreshSelectionStep();
        }
        const std::vector<uint32_t> view = View();
        const std::vector<uint32_t> plain = Plain(hover);
        EXPECT_TRUE(view == plain) << name << " to " << Str(to) << ": view, " << FirstDifference(view, plain, dlg->GetView().Width());
        std::vector<uint32_t> window = Window(), plainRgb = plain;
        for (uint32_t& p : plainRgb) p &= 0xFFFFFF;
        EXPECT_TRUE(window == plainRgb) << name << " to " << Str(to) << ": window, "
                                     << FirstDifference(window, plainRgb, dlg->GetView().Width());
    }
    void AddShape(int kind, POINT from, POINT to, int size, COLORREF colour, std::vector<POINT> points = {},
                  const wchar_t* text = L"") {
        auto shape = std::make_unique<CShape>();
        shape->nKind = kind;
        shape->nSize = size;
        shape->crColor = colour;
        shape->ptFrom = from;
        shape->ptTo = to;
        shape->points = std::move(points);
        shape->strText = text;
        dlg->GetMarks().Add(std::move(*shape));
    }
    struct Step {
        const char* name;
        RECT to;
    };
};

TEST_F(ViewSteps, SelectionStepsShowWhatAWholeCompositionShows) {
    const LONG cx = dlg->GetView().Width(), cy = dlg->GetView().Height();
    Select(RECT{300, 200, 700, 500});
    dlg->ShowPalette(false);
    dlg->RefreshView();
    // Each step starts where the one before ended.
    const Step steps[] = {
        {"moved a little", {307, 205, 707, 505}},
        {"moved back", {300, 200, 700, 500}},
        {"grown at the bottom right", {300, 200, 760, 540}},
        {"shrunk at the top left", {340, 230, 760, 540}},
        {"moved far away, no overlap", {800, 520, 1100, 700}},
        {"to the top edge, label below", {800, 0, 1100, 300}},
        {"the label back above", {800, 40, 1100, 300}},
        {"to the bottom right corner", {cx - 200, cy - 150, cx, cy}},
        {"the whole view", {0, 0, cx, cy}},
        {"a sliver inside", {10, 10, 11, 400}},
        {"no height", {10, 10, 500, 10}},
        {"back to a box", {100, 100, 500, 400}},
        {"one pixel wider", {100, 100, 501, 400}},
    };
    for (const Step& s : steps) ExpectStepEqualsPlain(s.name, s.to, false);
}

// Rectangles and ellipses are kept within the selection, so a step changes them wherever they are.
TEST_F(ViewSteps, StepsWithMarksRedrawTheMarksTheyChange) {
    Select(RECT{200, 150, 900, 650});
    dlg->ShowPalette(false);
    AddShape(SHAPE_RECT, POINT{250, 200}, POINT{600, 400}, 4, RGB(255, 0, 0));
    AddShape(SHAPE_ELLIPSE, POINT{300, 250}, POINT{700, 550}, 2, RGB(0, 0, 255));
    AddShape(SHAPE_ARROW, POINT{850, 600}, POINT{260, 190}, 4, RGB(0, 255, 0));
    AddShape(SHAPE_PEN, POINT{220, 610}, POINT{420, 480}, 2, RGB(255, 255, 0),
             {{220, 610}, {260, 570}, {300, 560}, {360, 520}, {420, 480}});
    AddShape(SHAPE_TEXT, POINT{450, 420}, POINT{650, 470}, 4, RGB(255, 255, 255), {}, L"Corvane 截图");
    dlg->RefreshView();
    const Step steps[] = {
        {"moved over the marks", {230, 170, 930, 670}},
        {"the edge through the ellipse", {230, 170, 500, 670}},
        {"the top through the rectangle and text", {230, 430, 930, 670}},
        {"around everything again", {190, 140, 940, 680}},
    };
    for (const Step& s : steps) ExpectStepEqualsPlain(s.name, s.to, false);
}

TEST_F(ViewSteps, HoverStepsShowWhatAWholeCompositionShows) {
    const LONG cx = dlg->GetView().Width(), cy = dlg->GetView().Height();
    dlg->ComposeHoverView(RECT{100, 100, 400, 300});
    dlg->Invalidate(FALSE);
    dlg->UpdateWindow();
    const Step steps[] = {
        {"another window beside it", {500, 100, 900, 400}},
        {"a control inside it", {550, 150, 650, 200}},
        {"the window around it", {500, 100, 900, 400}},
        {"the whole screen", {0, 0, cx, cy}},
        {"a window at the corner", {cx - 300, cy - 200, cx, cy}},
        {"overlapping the last", {cx - 500, cy - 300, cx - 100, cy - 50}},
        {"nothing", {0, 0, 0, 0}},
        {"a window again", {20, 30, 220, 130}},
    };
    for (const Step& s : steps) ExpectStepEqualsPlain(s.name, s.to, true);
}

}  // namespace
