// The tool palette's tables and geometry: tools, colours and sizes with their buttons and images, the
// tooltip texts, and where the two bars and the pointer go beside a selection. Plain values only.
#pragma once

#include "framework/Compat.h"
#include "palette/logic/CommandIds.h"

// Drawing tools: one bit each, so each tool tests its own bit (8 belongs to no tool).
enum ToolValue : int {
    TOOL_NONE = 0,
    TOOL_ARROW = 1,
    TOOL_RECT = 2,
    TOOL_ELLIPSE = 4,
    TOOL_PEN = 16,
    TOOL_TEXT = 32,
};

// Size values: the stroke width in pixels, and the text font's choice.
enum SizeValue : int {
    SIZE_SMALL = 1,
    SIZE_MEDIUM = 2,
    SIZE_LARGE = 4,
};

namespace palette {

constexpr int kButtonCount = 10;

// Main bar: 40-pixel buttons, five tools, a separator, undo, save, close, done.
constexpr int kMainButtonSize = 40;
constexpr int kMainBarWidth = 368;
constexpr int kMainSeparatorIndex = 5;
constexpr int kMainSeparatorWidth = 5;
extern const unsigned kMainButtons[kButtonCount];
// The main image list, image index -> icon id (the separator's slot holds a filler).
extern const unsigned kMainImages[kButtonCount];

// Option bar: 36-pixel buttons, three sizes, a separator, six colours.
constexpr int kOptionButtonSize = 36;
constexpr int kOptionBarWidth = 338;
constexpr int kOptionSeparatorIndex = 3;
constexpr int kOptionSeparatorWidth = 6;
extern const unsigned kOptionButtons[kButtonCount];
constexpr int kOptionImageCount = 19;
extern const unsigned kOptionImages[kOptionImageCount];
// The option bar's images at creation: medium and red are current.
extern const int kOptionImagesAtStart[kButtonCount];

constexpr int kImageSize = 20;

// The tool each tool button selects, by main bar index 0..4.
constexpr int kToolCount = 5;
extern const unsigned kToolButtons[kToolCount];
int ToolForCommand(unsigned id);  // TOOL_NONE for an id that is no tool button

struct ColorRow {
    unsigned id;
    COLORREF cr;
};
constexpr int kColorCount = 6;
extern const ColorRow kColors[kColorCount];
int ColorIndexForCommand(unsigned id);  // -1 for an id that is no colour button
inline int ColorButton(int index) { return 4 + index; }
inline int ColorImage(int index, bool current) { return 7 + 2 * index + (current ? 1 : 0); }

struct SizeRow {
    unsigned id;
    int value;
};
constexpr int kSizeCount = 3;
extern const SizeRow kSizes[kSizeCount];
int SizeButtonForCommand(unsigned id);  // option bar button 0..2, or -1
inline int SizeImage(int button, bool current) { return 2 * button + (current ? 1 : 0); }

// The tooltip of a button, or null for one that has none (the colours).
const wchar_t* ToolTipText(unsigned id);

// Where the bars go beside a fixed selection: below it, else inside along its top edge when the view
// has no room above or below, else above it. hide: the bar's top-left corner falls inside the
// selection while showInside is false (a drag), so nothing is shown. View coordinates.
struct BarPlacement {
    bool hide;
    RECT mainBar;
    RECT optionBar;
};
BarPlacement PlaceBars(const RECT& sel, int mainHeight, int optionHeight, int viewHeight, bool showInside);

// The pointer's left offset from the main bar under the active tool's button.
int IndicatorOffset(int tool);
// The pointer's 20 x 10 rectangle on the option bar's top edge (screen coordinates in and out).
RECT IndicatorRect(const RECT& mainBar, const RECT& optionBar, int tool);

}  // namespace palette
