// The common ground of the dialog tests: a known picture on the screen, a capture dialog over it, and
// the ways to drive it and to read pixels back.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "capture/CorvaneDlg.h"
#include "tests/win/TestDesktop.h"

// The pixels of a device-dependent bitmap, top row first, as COLORREFs. A bitmap that cannot be read
// fails the test and gives no pixels and a size of 0 x 0.
std::vector<COLORREF> ReadBitmap(HBITMAP hbm, int* cx, int* cy);

// A screen-compatible memory DC with a bitmap of its own, for drawing into and reading back.
class MemoryCanvas {
public:
    MemoryCanvas(int cx, int cy);
    ~MemoryCanvas();
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;
    HDC dc() const { return m_dc; }
    // The pixels of rows [top, bottom), left to right.
    std::vector<COLORREF> Rows(int top, int bottom) const;

private:
    int m_cx;
    HDC m_dc;
    HBITMAP m_bmp;
    HGDIOBJ m_old;
};

// A key as the keyboard sends it, through the modal loop's steps: the key held down (as the thread's
// key state shows it) from the press to the release; repeats carry the key's previous state.
void KeyFromKeyboard(HWND target, UINT msg, WPARAM vk, bool repeat);

// Whether a capture is up as a user finds it: shown, painted, and its bars and popups made (they come
// after the first paint).
inline bool Started(CCorvaneDlg& d) { return testdesk::ShownAndPainted(d.m_hWnd) && d.ChildWindowsMade(); }

class CaptureTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Windows a test wants on the desktop before the capture starts.
    virtual void LayOutDesktop() {}

    void Send(UINT msg, UINT flags, int x, int y) { SendMessageW(dlg->m_hWnd, msg, flags, MAKELPARAM(x, y)); }
    // Fixes the selection r by a left drag from its top-left to its bottom-right corner.
    void Select(RECT r) {
        Send(WM_LBUTTONDOWN, MK_LBUTTON, r.left, r.top);
        Send(WM_MOUSEMOVE, MK_LBUTTON, r.right, r.bottom);
        Send(WM_LBUTTONUP, 0, r.right, r.bottom);
    }
    // A command as a tool bar button sends it.
    void Command(UINT id) { SendMessageW(dlg->m_hWnd, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    // The quit code the dialog posted, or -1 when it posted none.
    static int TakeQuitCode();
    // The text the capture gives a bar's tooltip for a button's command id, as the bar asks for it.
    const wchar_t* TooltipFor(UINT id);

    CWinAppEx app;  // the capture is its main window, as in the program
    std::unique_ptr<testdesk::PatternWindow> pattern;
    std::unique_ptr<CCorvaneDlg> dlg;
};
