// Input that must not cost the user a capture or an output: buttons and keys whose other half lands
// somewhere else than the capture expects.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "capture/CorvaneDlg.h"
#include "palette/logic/CommandIds.h"
#include "selection/MagnifierWindow.h"
#include "tests/win/CaptureFixture.h"
#include "tests/win/TestDesktop.h"

namespace {

class InputFaults : public CaptureTest {};

// The save dialog above the capture, or null: a dialog with controls (the capture's own popups, the
// magnifier and the pointer window, have none).
HWND SaveDialog(HWND capture) {
    struct Find { HWND capture; HWND found; } find = {capture, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), [](HWND w, LPARAM p) -> BOOL {
        auto* f = reinterpret_cast<Find*>(p);
        wchar_t cls[16] = {};
        GetClassNameW(w, cls, 16);
        if (w != f->capture && IsWindowVisible(w) && lstrcmpW(cls, L"#32770") == 0 && GetWindow(w, GW_OWNER) &&
            GetWindow(w, GW_CHILD)) {
            f->found = w;
            return FALSE;
        }
        return TRUE;
    }, reinterpret_cast<LPARAM>(&find));
    return find.found;
}

// Cancels the save dialog as soon as it shows: the check runs inside the dialog's own loop.
void CancelSaveDialogWhenShown(HWND capture, int* cancelled) {
    testdesk::RunWhen([capture] { return SaveDialog(capture) != nullptr; }, [capture, cancelled] {
        if (HWND dialog = SaveDialog(capture)) {
            ++*cancelled;
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        }
    });
}

TEST_F(InputFaults, ARightPressInsideSavesOnlyOnceTheButtonIsUp) {
    Select(RECT{100, 100, 400, 300});
    int cancelled = 0;
    CancelSaveDialogWhenShown(dlg->m_hWnd, &cancelled);
    Send(WM_RBUTTONDOWN, MK_RBUTTON, 200, 200);
    EXPECT_EQ(cancelled, 0) << "no save dialog while the button is down";
    EXPECT_EQ(dlg->ResultImage().GetSafeHandle(), nullptr);
    EXPECT_EQ(GetCapture(), dlg->m_hWnd) << "the release comes back to the capture";

    Send(WM_RBUTTONUP, 0, 900, 700);  // released anywhere, even outside the selection
    EXPECT_EQ(cancelled, 1) << "the save dialog opened at the release";
    EXPECT_NE(dlg->ResultImage().GetSafeHandle(), nullptr);
    EXPECT_NE(GetCapture(), dlg->m_hWnd);
    EXPECT_EQ(TakeQuitCode(), -1) << "a cancelled save keeps the capture";
}

TEST_F(InputFaults, AnEscReleaseEndsTheCaptureOnlyAfterItsPressCameHere) {
    // The press went to another window (a dialog it closed): its release alone changes nothing.
    Send(WM_KEYUP, VK_ESCAPE, 0, 0);
    EXPECT_EQ(TakeQuitCode(), -1);
    // A press the modal loop hands to the capture window first, then its release.
    MSG press = {dlg->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 1, 0, {0, 0}};
    dlg->PreTranslateMessage(&press);
    Send(WM_KEYUP, VK_ESCAPE, 0, 0);
    EXPECT_EQ(TakeQuitCode(), 1);
}

// The centre of a child window of the capture, in the capture's coordinates.
POINT CentreOf(CWnd& child, HWND capture) {
    RECT rc;
    GetWindowRect(child.m_hWnd, &rc);
    MapWindowPoints(nullptr, capture, reinterpret_cast<POINT*>(&rc), 2);
    return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

TEST_F(InputFaults, ADrawingDragEndsInTheCaptureWhereverTheButtonComesUp) {
    // Region (300,200)-(900,600) and size 2: released below it, the rectangle keeps the release point
    // and the ellipse the last point pulled into the region (y: 600 - 2 - 1).
    Select(RECT{300, 200, 900, 600});
    struct Case { const char* name; UINT tool; CWnd* bar; int kind; } cases[] = {
        {"rectangle released over the main bar", ID_TOOL_RECT, &dlg->GetPalette().MainBar(), SHAPE_RECT},
        {"ellipse released over the option bar", ID_TOOL_ELLIPSE, &dlg->GetPalette().OptionBar(), SHAPE_ELLIPSE},
    };
    for (const Case& c : cases) {
        dlg->GetMarks().Clear();
        Command(c.tool);
        Send(WM_MOUSEMOVE, 0, 350, 400);
        const POINT over = CentreOf(*c.bar, dlg->m_hWnd);
        ASSERT_GE(over.y, 600) << c.name;
        Send(WM_LBUTTONDOWN, MK_LBUTTON, 350, 400);
        EXPECT_EQ(GetCapture(), dlg->m_hWnd) << c.name << ": the release will come here";
        Send(WM_MOUSEMOVE, MK_LBUTTON, over.x, over.y);
        Send(WM_LBUTTONUP, 0, over.x, over.y);
        EXPECT_NE(GetCapture(), dlg->m_hWnd) << c.name;
        ASSERT_EQ(dlg->GetMarks().Count(), 1u) << c.name;
        const CShape& s = *dlg->GetMarks().List()[0];
        EXPECT_EQ(s.nKind, c.kind) << c.name;
        const POINT to = c.kind == SHAPE_RECT ? over : POINT{over.x, 597};
        EXPECT_TRUE(rect::SamePoint(s.ptFrom, POINT{350, 400}) && rect::SamePoint(s.ptTo, to))
            << c.name << ": " << s.ptTo.x << "," << s.ptTo.y;
    }
}

TEST_F(InputFaults, ARightClickSaveKeepsTheTextBeingTyped) {
    Select(RECT{300, 200, 800, 500});
    Command(ID_TOOL_TEXT);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 400, 300);
    Send(WM_LBUTTONUP, 0, 400, 300);
    for (wchar_t ch : std::wstring(L"typed text")) SendMessageW(dlg->GetTextBox().Handle(), WM_CHAR, ch, 1);
    const RECT box = dlg->GetTextBox().Rect();
    int cancelled = 0;
    CancelSaveDialogWhenShown(dlg->m_hWnd, &cancelled);
    Send(WM_RBUTTONDOWN, MK_RBUTTON, 600, 450);
    Send(WM_RBUTTONUP, 0, 600, 450);
    ASSERT_EQ(cancelled, 1);
    // The picture saved had the text; after the cancel it is a mark like any other.
    ASSERT_EQ(dlg->GetMarks().Count(), 1u);
    EXPECT_EQ(dlg->GetMarks().List()[0]->strText, L"typed text");
    EXPECT_FALSE(dlg->GetTextBox().IsVisible());
    int cx = 0, cy = 0;
    const std::vector<COLORREF> result = ReadBitmap(static_cast<HBITMAP>(dlg->ResultImage().GetSafeHandle()), &cx, &cy);
    size_t red = 0;
    for (LONG y = box.top; y < box.bottom; ++y)
        for (LONG x = box.left; x < box.right; ++x) {
            const size_t at = static_cast<size_t>(y - 202) * cx + (x - 302);  // the result starts 2 inside
            red += result[at] == RGB(255, 0, 0) && testdesk::PatternAt(x, y) != RGB(255, 0, 0);
        }
    EXPECT_GT(red, 20u) << "red text in the saved picture";
}

TEST_F(InputFaults, AHeldEndingKeyEndsTheCaptureOnceWhenItComesUp) {
    // Ended at the press, the capture would hand the key's repeats and release to the program beneath.
    enum Where { CAPTURE, TEXT_BOX, MAGNIFIER };
    struct Case { const char* name; WPARAM vk; Where where; } cases[] = {
        {"Enter", VK_RETURN, CAPTURE},
        {"Esc", VK_ESCAPE, CAPTURE},
        {"Esc in the text box", VK_ESCAPE, TEXT_BOX},
        {"Esc in the magnifier", VK_ESCAPE, MAGNIFIER},
        {"Enter in the magnifier", VK_RETURN, MAGNIFIER},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        HWND target = c.where == MAGNIFIER ? dlg->GetMagnifier()->m_hWnd : dlg->m_hWnd;
        if (c.where == TEXT_BOX) {
            Select(RECT{300, 200, 800, 500});
            Command(ID_TOOL_TEXT);
            Send(WM_LBUTTONDOWN, MK_LBUTTON, 400, 300);
            Send(WM_LBUTTONUP, 0, 400, 300);
            target = dlg->GetTextBox().Handle();
        }
        TakeQuitCode();
        KeyFromKeyboard(target, WM_KEYDOWN, c.vk, false);
        for (int i = 0; i < 20; ++i) KeyFromKeyboard(target, WM_KEYDOWN, c.vk, true);
        EXPECT_EQ(TakeQuitCode(), -1) << "held";
        EXPECT_TRUE(IsWindowVisible(dlg->m_hWnd)) << "held";
        KeyFromKeyboard(target, WM_KEYUP, c.vk, false);
        // Enter ends the dialog as its default command does, Esc asks to quit; the process exits with 1.
        if (c.vk == VK_RETURN) {
            EXPECT_FALSE(IsWindowVisible(dlg->m_hWnd)) << "ended at the release";
        } else {
            EXPECT_EQ(TakeQuitCode(), 1) << "ended at the release";
        }
        EXPECT_EQ(TakeQuitCode(), -1) << "ended once";
    }
}

TEST_F(InputFaults, APressOnASelectionHeldBeforeTheFirstReleaseTracksNothing) {
    // A rubber band from (100,100) to (300,300), held by a right click outside before the left button
    // came up: the press on its corner handle and its release are still the first release's.
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 100, 100);
    Send(WM_MOUSEMOVE, MK_LBUTTON, 300, 300);
    Send(WM_RBUTTONDOWN, MK_RBUTTON | MK_LBUTTON, 600, 500);
    ASSERT_TRUE(dlg->Phase().FixedRegion() && dlg->Phase().Detecting());
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 300, 300);
    EXPECT_FALSE(dlg->GetSelection().Tracking());
    Send(WM_LBUTTONUP, 0, 300, 300);
    EXPECT_FALSE(dlg->GetSelection().Tracking());
    EXPECT_FALSE(dlg->Phase().Detecting());
    EXPECT_TRUE(rect::Equal(dlg->GetSelection().Rect(), RECT{100, 100, 300, 300}));
}

}  // namespace
