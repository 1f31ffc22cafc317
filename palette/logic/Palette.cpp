// The palette's tables and the placement of the bars and the pointer beside the selection.
#include "palette/logic/Palette.h"

namespace palette {

const unsigned kMainButtons[kButtonCount] = {
    ID_TOOL_ARROW, ID_TOOL_RECT, ID_TOOL_ELLIPSE, ID_TOOL_PEN, ID_TOOL_TEXT,
    ID_TOOLBAR_SEPARATOR, ID_UNDO, ID_SAVE, ID_CLOSE, ID_DONE,
};
// Each button's icon carries its command's number.
const unsigned kMainImages[kButtonCount] = {159, 143, 160, 149, 164, 163, 144, 147, 145, 146};

const unsigned kOptionButtons[kButtonCount] = {
    ID_SIZE_SMALL, ID_SIZE_MEDIUM, ID_SIZE_LARGE, ID_TOOLBAR_SEPARATOR, ID_COLOR_RED,
    ID_COLOR_YELLOW, ID_COLOR_BLUE, ID_COLOR_GREEN, ID_COLOR_BLACK, ID_COLOR_WHITE,
};
// Pairs of "not current" and "current" images per size and per colour, the separator's filler between.
const unsigned kOptionImages[kOptionImageCount] = {
    162, 172, 176, 170, 161, 166, 163, 156, 171, 158, 174, 152, 168, 154, 169, 151, 167, 157, 173,
};
const int kOptionImagesAtStart[kButtonCount] = {0, 3, 4, kOptionSeparatorWidth, 8, 9, 11, 13, 15, 17};

const unsigned kToolButtons[kToolCount] = {ID_TOOL_ARROW, ID_TOOL_RECT, ID_TOOL_ELLIPSE, ID_TOOL_PEN, ID_TOOL_TEXT};
namespace {
const int kToolValues[kToolCount] = {TOOL_ARROW, TOOL_RECT, TOOL_ELLIPSE, TOOL_PEN, TOOL_TEXT};
}  // namespace

int ToolForCommand(unsigned id) {
    for (int i = 0; i < kToolCount; ++i) {
        if (kToolButtons[i] == id) return kToolValues[i];
    }
    return TOOL_NONE;
}

const ColorRow kColors[kColorCount] = {
    {ID_COLOR_RED, 0x000000FF},   {ID_COLOR_YELLOW, 0x0000FFFF}, {ID_COLOR_BLUE, 0x00FF0000},
    {ID_COLOR_GREEN, 0x0000FF00}, {ID_COLOR_BLACK, 0x00000000},  {ID_COLOR_WHITE, 0x00FFFFFF},
};

int ColorIndexForCommand(unsigned id) {
    for (int i = 0; i < kColorCount; ++i) {
        if (kColors[i].id == id) return i;
    }
    return -1;
}

const SizeRow kSizes[kSizeCount] = {{ID_SIZE_SMALL, SIZE_SMALL}, {ID_SIZE_MEDIUM, SIZE_MEDIUM}, {ID_SIZE_LARGE, SIZE_LARGE}};

int SizeButtonForCommand(unsigned id) {
    for (int i = 0; i < kSizeCount; ++i) {
        if (kSizes[i].id == id) return i;
    }
    return -1;
}

const wchar_t* ToolTipText(unsigned id) {
    switch (id) {
    case ID_TOOL_ARROW: return L"箭头";
    case ID_TOOL_RECT: return L"矩形";
    case ID_TOOL_ELLIPSE: return L"椭圆";
    case ID_TOOL_PEN: return L"画笔";
    case ID_TOOL_TEXT: return L"文字";
    case ID_UNDO: return L"撤销";
    case ID_SAVE: return L"保存";
    case ID_CLOSE: return L"关闭";
    case ID_DONE: return L"完成";
    case ID_SIZE_SMALL: return L"细(或小字体)";
    case ID_SIZE_MEDIUM: return L"中(或中等字体)";
    case ID_SIZE_LARGE: return L"粗(或大字体)";
    default: return nullptr;
    }
}

namespace {
// Gaps: bar to selection 5, main bar to option bar 13; the bar goes below only while it stays 20
// pixels clear of the view's bottom.
constexpr int kBarGap = 5;
constexpr int kOptionGap = 13;
constexpr int kBottomClearance = 20;
}  // namespace

BarPlacement PlaceBars(const RECT& s, int hb, int ho, int viewHeight, bool showInside) {
    BarPlacement out = {true, {0, 0, 0, 0}, {0, 0, 0, 0}};
    RECT b;
    // Right-aligned with the selection, unless that would push the bar off the view's left side.
    if (s.right < kMainBarWidth) {
        b.left = s.left;
        b.right = s.left + kMainBarWidth;
    } else {
        b.left = s.right - kMainBarWidth;
        b.right = s.right;
    }
    if (s.bottom + hb + kBarGap < viewHeight - kBottomClearance) {
        b.top = s.bottom + kBarGap;  // below
    } else if (viewHeight - rect::Height(s) < 2 * ho) {
        b.top = s.top + kBarGap;  // inside, along the top edge: no room above or below
    } else {
        b.top = s.top - kBarGap - hb;  // above
    }
    b.bottom = b.top + hb;
    if (rect::Contains(s, POINT{b.left, b.top}) && !showInside) return out;
    out.hide = false;
    out.mainBar = b;
    out.optionBar.left = b.left;
    out.optionBar.right = b.left + kOptionBarWidth;
    out.optionBar.top = b.bottom + kOptionGap;
    out.optionBar.bottom = out.optionBar.top + ho;
    return out;
}

int IndicatorOffset(int tool) {
    switch (tool) {
    case TOOL_RECT: return 50;
    case TOOL_ELLIPSE: return 90;
    case TOOL_PEN: return 130;
    case TOOL_TEXT: return 170;
    default: return 10;
    }
}

RECT IndicatorRect(const RECT& mainBar, const RECT& optionBar, int tool) {
    const LONG left = mainBar.left + IndicatorOffset(tool);
    return RECT{left, optionBar.top - 10, left + 20, optionBar.top};
}

}  // namespace palette
