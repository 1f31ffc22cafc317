// A known desktop for the dialog tests: a window over the whole virtual screen painted with a picture
// whose every pixel is a function of its position, so expected pixels are computed, never recorded.
#pragma once

#include <windows.h>

#include <functional>

namespace testdesk {

// The picture: red follows x, green follows y, blue mixes both (all 256 levels of each appear).
inline COLORREF PatternAt(int x, int y) {
    return RGB(x & 0xFF, y & 0xFF, (x ^ (y * 3)) & 0xFF);
}

// A pixel dimmed the way the view dims outside the selection: black over it at 100/255.
inline BYTE DimLevel(BYTE v) { return static_cast<BYTE>((v * 155 + 127) / 255); }
inline COLORREF Dimmed(COLORREF c) {
    return RGB(DimLevel(GetRValue(c)), DimLevel(GetGValue(c)), DimLevel(GetBValue(c)));
}

// Shows the pattern over the virtual screen (desktop coordinates: the pattern's (0,0) is the virtual
// screen's top-left corner) until the object goes away.
class PatternWindow {
public:
    PatternWindow();
    ~PatternWindow();
    PatternWindow(const PatternWindow&) = delete;
    PatternWindow& operator=(const PatternWindow&) = delete;
    HWND hwnd() const { return m_hWnd; }

private:
    HWND m_hWnd = nullptr;
};

// Processes messages until ready() holds or deadlineMs have passed; returns whether it holds. Pending
// messages are always processed at least once.
bool PumpUntil(const std::function<bool()>& ready, int deadlineMs = 3000);

// Whether the screen, read the way the capture reads it, shows expected(x, y) (in virtual-screen
// coordinates) on a grid of points spread over all of it.
bool ScreenShows(const std::function<COLORREF(int, int)>& expected);

// Processes messages until the screen shows expected, for at most 3 s; says so on stderr when it never
// does (checks of what the capture froze then fail on their own).
void AwaitScreen(const std::function<COLORREF(int, int)>& expected);

// Whether a window is shown with nothing of it left to paint.
bool ShownAndPainted(HWND hWnd);

// Runs fn from inside a modal loop once ready() holds there (looked at every 10 ms), or once deadlineMs
// have passed without it, so that fn finds the condition unmet and the test fails instead of hanging.
void RunWhen(std::function<bool()> ready, std::function<void()> fn, UINT deadlineMs = 5000);

}  // namespace testdesk
