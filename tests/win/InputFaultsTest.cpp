// Input that must not cost the user a capture or an output: buttons and keys whose other half lands
// somewhere else than the capture expects.
#include <gtest/gtest.h>

#include "capture/CorvaneDlg.h"
#include "tests/win/CaptureFixture.h"
#include "tests/win/TestDesktop.h"

namespace {

class InputFaults : public CaptureTest {};

// The save dialog above the capture, or null.
HWND SaveDialog(HWND capture) {
    struct Find { HWND capture; HWND found; } find = {capture, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), [](HWND w, LPARAM p) -> BOOL {
        auto* f = reinterpret_cast<Find*>(p);
        wchar_t cls[16] = {};
        GetClassNameW(w, cls, 16);
        if (w != f->capture && IsWindowVisible(w) && lstrcmpW(cls, L"#32770") == 0 && GetWindow(w, GW_OWNER)) {
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
    EXPECT_EQ(dlg->m_bmpResult.GetSafeHandle(), nullptr);
    EXPECT_EQ(GetCapture(), dlg->m_hWnd) << "the release comes back to the capture";

    Send(WM_RBUTTONUP, 0, 900, 700);  // released anywhere, even outside the selection
    EXPECT_EQ(cancelled, 1) << "the save dialog opened at the release";
    EXPECT_NE(dlg->m_bmpResult.GetSafeHandle(), nullptr);
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

}  // namespace
