// The keys' rules: which step a key takes in each situation, and where the steps lead.
#include <gtest/gtest.h>

#include "capture/logic/Keys.h"
#include "selection/logic/SelectionGeometry.h"

using keys::Step;

namespace {

keys::Situation Choosing() { return {}; }
keys::Situation Fixed(bool tool = false, bool button = false, bool tracking = false) {
    keys::Situation s;
    s.regionFixed = true;
    s.toolChosen = tool;
    s.buttonDown = button;
    s.tracking = tracking;
    return s;
}

TEST(Keys, EachKeyTakesItsStepInEachSituation) {
    keys::Situation magnifier = Choosing();
    magnifier.magnifierShown = true;
    struct Case {
        const char* name;
        unsigned vk;
        bool ctrl, shift, alt;
        keys::Situation s;
        Step step;
        LONG dx, dy;
    } cases[] = {
        {"left while choosing moves the pointer", VK_LEFT, false, false, false, Choosing(), Step::MovePointer, -1, 0},
        {"shift+down while choosing: 10 pixels", VK_DOWN, false, true, false, Choosing(), Step::MovePointer, 0, 10},
        {"right during a handle drag moves the pointer", VK_RIGHT, false, false, false, Fixed(false, true, true),
         Step::MovePointer, 1, 0},
        {"up with a tool chosen moves the pointer", VK_UP, false, false, false, Fixed(true), Step::MovePointer, 0, -1},
        {"right with the region fixed and no tool moves it", VK_RIGHT, false, false, false, Fixed(), Step::MoveRegion, 1, 0},
        {"shift+up moves it by 10", VK_UP, false, true, false, Fixed(), Step::MoveRegion, 0, -10},
        {"an arrow while a press outside is held: nothing", VK_LEFT, false, false, false, Fixed(false, true), Step::None, 0, 0},
        {"ctrl+right widens", VK_RIGHT, true, false, false, Fixed(), Step::ResizeRegion, 1, 0},
        {"ctrl+shift+up: bottom up by 10, with a tool too", VK_UP, true, true, false, Fixed(true), Step::ResizeRegion, 0, -10},
        {"ctrl+left while choosing: nothing", VK_LEFT, true, false, false, Choosing(), Step::None, 0, 0},
        {"ctrl+down during a drag: nothing", VK_DOWN, true, false, false, Fixed(false, true, true), Step::None, 0, 0},
        {"ctrl+z undoes", 'Z', true, false, false, Fixed(), Step::Undo, 0, 0},
        {"ctrl+z while choosing undoes too", 'Z', true, false, false, Choosing(), Step::Undo, 0, 0},
        {"ctrl+shift+z redoes", 'Z', true, true, false, Fixed(), Step::Redo, 0, 0},
        {"ctrl+y redoes", 'Y', true, false, false, Fixed(), Step::Redo, 0, 0},
        {"ctrl+c with a region copies", 'C', true, false, false, Fixed(), Step::Copy, 0, 0},
        {"ctrl+c without one: nothing", 'C', true, false, false, Choosing(), Step::None, 0, 0},
        {"c with the magnifier shown copies the colour", 'C', false, false, false, magnifier, Step::CopyColour, 0, 0},
        {"c without the magnifier: nothing", 'C', false, false, false, Fixed(), Step::None, 0, 0},
        {"shift+c: nothing", 'C', false, true, false, magnifier, Step::None, 0, 0},
        {"alt+left: nothing", VK_LEFT, false, false, true, Choosing(), Step::None, 0, 0},
        {"z alone: nothing", 'Z', false, false, false, Fixed(), Step::None, 0, 0},
        {"another key: nothing", 'A', true, false, false, Fixed(), Step::None, 0, 0},
    };
    for (const Case& c : cases) {
        const keys::Action a = keys::ForKey(c.vk, c.ctrl, c.shift, c.alt, c.s);
        EXPECT_EQ(a.step, c.step) << c.name;
        EXPECT_EQ(a.dx, c.dx) << c.name;
        EXPECT_EQ(a.dy, c.dy) << c.name;
    }
}

TEST(Keys, RegionStepsFollowTheDragRules) {
    const RECT marks = {150, 150, 250, 250};
    struct Case {
        const char* name;
        Step step;
        LONG dx, dy;
        RECT region;
        const RECT* bounds;
        RECT expected;
    } cases[] = {
        {"moved right by 1", Step::MoveRegion, 1, 0, {100, 100, 300, 200}, nullptr, {101, 100, 301, 200}},
        {"moved left stops 2 from the edge", Step::MoveRegion, -10, 0, {5, 100, 205, 200}, nullptr, {2, 100, 202, 200}},
        {"moved down stops at the bottom", Step::MoveRegion, 0, 10, {100, 700, 300, 795}, nullptr, {100, 705, 300, 800}},
        {"widened by 10", Step::ResizeRegion, 10, 0, {100, 100, 300, 200}, nullptr, {100, 100, 310, 200}},
        {"bottom up by 1", Step::ResizeRegion, 0, -1, {100, 100, 300, 200}, nullptr, {100, 100, 300, 199}},
        {"narrowed past its left edge flips", Step::ResizeRegion, -10, 0, {100, 100, 105, 200}, nullptr,
         {95, 100, 100, 200}},
        {"widened at the screen's right edge stays", Step::ResizeRegion, 10, 0, {100, 100, 1280, 200}, nullptr,
         {100, 100, 1280, 200}},
        {"narrowed keeps room around the marks", Step::ResizeRegion, -10, 0, {100, 100, 255, 300}, &marks,
         {100, 100, 254, 300}},
    };
    for (const Case& c : cases) {
        const RECT got = keys::StepRegion(keys::Action{c.step, c.dx, c.dy}, c.region, 1280, 800, c.bounds);
        EXPECT_TRUE(rect::Equal(got, c.expected))
            << c.name << ": " << got.left << "," << got.top << "," << got.right << "," << got.bottom;
    }
}

TEST(Keys, ThePointerStaysOnTheScreenAndColoursReadAsHex) {
    const RECT screen = {-1024, 0, 1280, 800};
    EXPECT_TRUE(rect::SamePoint(keys::StepPointer({Step::MovePointer, -10, 0}, {-1020, 5}, screen), {-1024, 5}));
    EXPECT_TRUE(rect::SamePoint(keys::StepPointer({Step::MovePointer, 0, 10}, {5, 795}, screen), {5, 799}));
    EXPECT_TRUE(rect::SamePoint(keys::StepPointer({Step::MovePointer, 1, 0}, {5, 5}, screen), {6, 5}));
    EXPECT_EQ(keys::ColourText(RGB(0x12, 0xAB, 0x0F)), L"#12AB0F");
    EXPECT_EQ(keys::ColourText(RGB(255, 255, 255)), L"#FFFFFF");
}

}  // namespace
