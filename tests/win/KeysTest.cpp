// The capture's keys on the real window: the pointer and the region by a pixel, the region's size, undo
// and redo, the copies; from whichever of the capture's windows has the keyboard, never from the text box.
#include <gtest/gtest.h>

#include <cwchar>
#include <initializer_list>
#include <string>

#include "capture/CorvaneDlg.h"
#include "palette/logic/CommandIds.h"
#include "tests/win/CaptureFixture.h"
#include "tests/win/TestDesktop.h"

namespace {

class Keys : public CaptureTest {
protected:
    void SetUp() override {
        CaptureTest::SetUp();
        Hold({VK_SHIFT, VK_CONTROL, VK_MENU, VK_LBUTTON, VK_RBUTTON}, false);  // whatever earlier tests held
    }
    // A press and release of vk on target with the modifiers held.
    void Key(WPARAM vk, std::initializer_list<int> held = {}, HWND target = nullptr) {
        Hold(held, true);
        KeyFromKeyboard(target ? target : dlg->m_hWnd, WM_KEYDOWN, vk, false);
        KeyFromKeyboard(target ? target : dlg->m_hWnd, WM_KEYUP, vk, false);
        Hold(held, false);
    }
    static void Hold(std::initializer_list<int> vks, bool down) {
        BYTE state[256];
        GetKeyboardState(state);
        for (int vk : vks) state[vk] = down ? 0x80 : 0;
        SetKeyboardState(state);
    }
    void Drag(POINT from, POINT to) {
        Send(WM_LBUTTONDOWN, MK_LBUTTON, from.x, from.y);
        Send(WM_MOUSEMOVE, MK_LBUTTON, to.x, to.y);
        Send(WM_LBUTTONUP, 0, to.x, to.y);
    }
    static POINT Cursor() {
        POINT pt;
        GetCursorPos(&pt);
        return pt;
    }
    static std::wstring ClipboardText() {
        std::wstring text;
        if (!OpenClipboard(nullptr)) return L"(clipboard busy)";
        if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
            if (const auto* p = static_cast<const wchar_t*>(GlobalLock(h))) text = p;
            GlobalUnlock(h);
        }
        CloseClipboard();
        return text;
    }
};

TEST_F(Keys, ArrowsMoveThePointerWhileChoosingAndTheOutlineFollows) {
    SetCursorPos(400, 300);
    Send(WM_MOUSEMOVE, 0, 400, 300);
    Key(VK_RIGHT);
    EXPECT_TRUE(rect::SamePoint(Cursor(), POINT{401, 300}));
    Key(VK_DOWN, {VK_SHIFT});
    EXPECT_TRUE(rect::SamePoint(Cursor(), POINT{401, 310}));
    Key(VK_LEFT, {}, dlg->GetMagnifier()->m_hWnd);  // the magnifier passes it on
    EXPECT_TRUE(rect::SamePoint(Cursor(), POINT{400, 310}));
    // The outline is what a move of the mouse to the point shows.
    RECT picked;
    ASSERT_TRUE(dlg->GetWindowFinder().FindWindowRectAt(POINT{400, 310}, &picked));
    EXPECT_TRUE(rect::Equal(dlg->Hovered(), picked));
}

TEST_F(Keys, ArrowsMoveAFixedRegionAndCtrlArrowsResizeItButNotWhileTyping) {
    Select(RECT{300, 200, 800, 500});
    struct Case { const char* name; WPARAM vk; std::initializer_list<int> held; RECT expected; } cases[] = {
        {"right", VK_RIGHT, {}, {301, 200, 801, 500}},
        {"shift+up", VK_UP, {VK_SHIFT}, {301, 190, 801, 490}},
        {"ctrl+right", VK_RIGHT, {VK_CONTROL}, {301, 190, 802, 490}},
        {"ctrl+shift+up", VK_UP, {VK_CONTROL, VK_SHIFT}, {301, 190, 802, 480}},
    };
    for (const Case& c : cases) {
        Key(c.vk, c.held, dlg->GetPalette().MainBar().m_hWnd);  // as after a click on the bar
        EXPECT_TRUE(rect::Equal(dlg->GetSelection().Rect(), c.expected)) << c.name;
    }
    // A tool chosen: arrows move the pointer, Ctrl+arrows still resize.
    Command(ID_TOOL_TEXT);
    SetCursorPos(500, 300);
    Key(VK_LEFT);
    EXPECT_TRUE(rect::SamePoint(Cursor(), POINT{499, 300}));
    EXPECT_TRUE(rect::Equal(dlg->GetSelection().Rect(), RECT{301, 190, 802, 480}));
    // The text box keeps every key it gets.
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 400, 300);
    Send(WM_LBUTTONUP, 0, 400, 300);
    ASSERT_TRUE(dlg->GetTextBox().IsOpen());
    Key(VK_RIGHT, {VK_CONTROL}, dlg->GetTextBox().Handle());
    EXPECT_TRUE(rect::Equal(dlg->GetSelection().Rect(), RECT{301, 190, 802, 480}));
    Key('Z', {VK_CONTROL}, dlg->GetTextBox().Handle());
    EXPECT_TRUE(dlg->Phase().FixedRegion()) << "ctrl+z in the box is the box's";
}

TEST_F(Keys, UndoAndRedoBringMarksBackUntilANewMarkComes) {
    Select(RECT{300, 200, 800, 500});
    Command(ID_TOOL_RECT);
    for (LONG x : {320, 340, 360}) Drag({x, 250}, {x + 50, 300});
    auto firstLefts = [&] {
        std::string s;
        for (const auto& m : dlg->GetMarks().List()) s += std::to_string(m->ptFrom.x) + " ";
        return s;
    };
    Key('Z', {VK_CONTROL});
    Key('Z', {VK_CONTROL});
    EXPECT_EQ(firstLefts(), "320 ");
    Key('Y', {VK_CONTROL});
    EXPECT_EQ(firstLefts(), "320 340 ");
    Key('Z', {VK_CONTROL, VK_SHIFT});
    EXPECT_EQ(firstLefts(), "320 340 360 ");
    Key('Y', {VK_CONTROL});
    EXPECT_EQ(firstLefts(), "320 340 360 ") << "nothing left to redo";
    Key('Z', {VK_CONTROL});
    Drag({400, 250}, {450, 300});
    Key('Y', {VK_CONTROL});
    EXPECT_EQ(firstLefts(), "320 340 400 ") << "a new mark ends what could be redone";
    for (int i = 0; i < 4; ++i) Key('Z', {VK_CONTROL});
    EXPECT_FALSE(dlg->Phase().FixedRegion()) << "an undo with no marks gives the region up";
    Select(RECT{300, 200, 800, 500});
    Key('Y', {VK_CONTROL});
    EXPECT_TRUE(dlg->GetMarks().Empty());
}

TEST_F(Keys, CtrlCCopiesAFixedRegionAndCCopiesTheColourUnderThePointer) {
    TakeQuitCode();
    Key('C', {VK_CONTROL});
    EXPECT_EQ(TakeQuitCode(), -1) << "no region: nothing";
    SetCursorPos(523, 411);
    Send(WM_MOUSEMOVE, 0, 523, 411);
    ASSERT_TRUE(dlg->GetMagnifier()->IsWindowVisible());
    Key('C');
    EXPECT_EQ(TakeQuitCode(), 0);
    const COLORREF cr = testdesk::PatternAt(523, 411);
    wchar_t expected[8];
    swprintf(expected, 8, L"#%02X%02X%02X", GetRValue(cr), GetGValue(cr), GetBValue(cr));
    EXPECT_EQ(ClipboardText(), expected);

    TearDown();
    SetUp();
    Select(RECT{300, 200, 800, 500});
    Key('C', {VK_CONTROL});
    EXPECT_EQ(TakeQuitCode(), 0);
    ASSERT_TRUE(OpenClipboard(nullptr));
    BITMAP bm = {};
    GetObjectW(GetClipboardData(CF_BITMAP), sizeof(bm), &bm);
    CloseClipboard();
    EXPECT_EQ(bm.bmWidth, 495);  // the selection less its frame bands
    EXPECT_EQ(bm.bmHeight, 295);
}

}  // namespace
