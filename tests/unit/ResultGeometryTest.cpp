// Output crop: which view pixels leave the program, and when nothing does.
#include <gtest/gtest.h>

#include <string>

#include "output/logic/ResultGeometry.h"
#include "selection/logic/SelectionGeometry.h"

using namespace output;

TEST(ResultGeometry, CropOf100By50At200And100) {
    const RECT sel = {200, 100, 300, 150};
    const RECT crop = ResultCropRect(sel);
    const SIZE size = ResultSize(sel);
    EXPECT_EQ(size.cx, 95);
    EXPECT_EQ(size.cy, 45);
    // First and last pixel of the image in view coordinates.
    EXPECT_EQ(crop.left, 202);
    EXPECT_EQ(crop.top, 102);
    EXPECT_EQ(crop.right - 1, 296);
    EXPECT_EQ(crop.bottom - 1, 146);
    EXPECT_FALSE(ResultIsEmpty(sel));
}

TEST(ResultGeometry, EmptyResult) {
    struct Case { const char* name; RECT sel; bool empty; };
    const Case cases[] = {
        {"no selection", {0, 0, 0, 0}, true},
        {"5 wide", {10, 10, 15, 100}, true},
        {"5 high", {10, 10, 100, 15}, true},
        {"3 by 3", {10, 10, 13, 13}, true},
        {"6 by 6 gives one pixel", {10, 10, 16, 16}, false},
        {"6 wide, 5 high", {10, 10, 16, 15}, true},
        {"line", {10, 10, 200, 10}, true},
    };
    for (const Case& c : cases) EXPECT_EQ(ResultIsEmpty(c.sel), c.empty) << c.name;

    const RECT onePixel = ResultCropRect({10, 10, 16, 16});
    EXPECT_TRUE(rect::Equal(onePixel, RECT{12, 12, 13, 13}));
}

TEST(ResultGeometry, SizeLabelShowsTheResultSize) {
    const RECT sels[] = {{0, 0, 6, 6}, {200, 100, 300, 150}, {2, 2, 1920, 1080}, {7, 40, 8, 400}};
    for (const RECT& sel : sels) {
        const SIZE size = ResultSize(sel);
        const long w = size.cx > 0 ? size.cx : 0;
        const long h = size.cy > 0 ? size.cy : 0;
        const std::wstring want = L"  " + std::to_wstring(w) + L"x" + std::to_wstring(h) + L"  ";
        EXPECT_EQ(selection::SizeLabelFor(sel).text, want);
    }
}
