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

// Processes pending messages for about ms milliseconds.
void Pump(int ms);

// Runs fn from inside a modal loop: a timer fires it once the loop is running.
void RunSoon(std::function<void()> fn, UINT delayMs = 50);

}  // namespace testdesk
