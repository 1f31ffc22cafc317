#include "tests/win/TestDesktop.h"

#include <cstdio>
#include <vector>

namespace testdesk {
namespace {

LRESULT CALLBACK PatternProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hWnd, &ps);
        RECT rc;
        GetClientRect(hWnd, &rc);
        const int cx = rc.right, cy = rc.bottom;
        std::vector<DWORD> bits(static_cast<size_t>(cx) * cy);
        for (int y = 0; y < cy; ++y) {
            for (int x = 0; x < cx; ++x) {
                const COLORREF c = PatternAt(x, y);
                bits[static_cast<size_t>(y) * cx + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
            }
        }
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = cx;
        bi.bmiHeader.biHeight = -cy;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        SetDIBitsToDevice(dc, 0, 0, cx, cy, 0, 0, 0, cy, bits.data(), &bi, DIB_RGB_COLORS);
        EndPaint(hWnd, &ps);
        return 0;
    }
    return DefWindowProcW(hWnd, msg, wParam, lParam);
}

}  // namespace

PatternWindow::PatternWindow() {
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = PatternProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"CorvaneTestPattern";
        wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        RegisterClassW(&wc);
        registered = true;
    }
    const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int cx = GetSystemMetrics(SM_CXVIRTUALSCREEN), cy = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    m_hWnd = CreateWindowExW(0, L"CorvaneTestPattern", L"pattern", WS_POPUP | WS_VISIBLE, x, y, cx, cy, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    UpdateWindow(m_hWnd);
    GdiFlush();
    AwaitScreen(PatternAt);  // the X server must show it before anything copies the screen
}

PatternWindow::~PatternWindow() {
    DestroyWindow(m_hWnd);
    PumpUntil([] { return true; });
}

bool PumpUntil(const std::function<bool()>& ready, int deadlineMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {  // keep quit requests for the test to see
                PostQuitMessage(static_cast<int>(msg.wParam));
                return ready();
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (ready()) return true;
        if (GetTickCount() - start >= static_cast<DWORD>(deadlineMs)) return false;
        Sleep(10);
    }
}

bool ScreenShows(const std::function<COLORREF(int, int)>& expected) {
    const int vx = GetSystemMetrics(SM_XVIRTUALSCREEN), vy = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int cx = GetSystemMetrics(SM_CXVIRTUALSCREEN), cy = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, cx, cy);
    HGDIOBJ old = SelectObject(dc, bmp);
    BitBlt(dc, 0, 0, cx, cy, screen, vx, vy, SRCCOPY);
    SelectObject(dc, old);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = cx;
    bi.bmiHeader.biHeight = -cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    std::vector<DWORD> bits(static_cast<size_t>(cx) * cy);
    const bool read = GetDIBits(screen, bmp, 0, static_cast<UINT>(cy), bits.data(), &bi, DIB_RGB_COLORS) == cy;
    DeleteObject(bmp);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    if (!read) return false;
    // Odd steps, so that the grid meets every part of the picture's repeating levels; both last rows
    // and columns too.
    auto check = [&](int x, int y) {
        const COLORREF want = expected(x, y);
        const DWORD got = bits[static_cast<size_t>(y) * cx + x] & 0xFFFFFF;
        return got == ((DWORD{GetRValue(want)} << 16) | (DWORD{GetGValue(want)} << 8) | GetBValue(want));
    };
    for (int y = 0; y < cy; y += 7) {
        for (int x = 0; x < cx; x += 13) {
            if (!check(x, y)) return false;
        }
        if (!check(cx - 1, y)) return false;
    }
    for (int x = 0; x < cx; x += 13) {
        if (!check(x, cy - 1)) return false;
    }
    return true;
}

void AwaitScreen(const std::function<COLORREF(int, int)>& expected) {
    if (!PumpUntil([&] { return ScreenShows(expected); })) fprintf(stderr, "the screen does not show the known desktop after 3 s\n");
}

bool ShownAndPainted(HWND hWnd) { return IsWindowVisible(hWnd) && !GetUpdateRect(hWnd, nullptr, FALSE); }

namespace {
struct Pending {
    std::function<bool()> ready;
    std::function<void()> fn;
    DWORD start = 0;
    DWORD deadlineMs = 0;
    UINT_PTR timer = 0;
};
Pending g_pending;

void CALLBACK WhenProc(HWND, UINT, UINT_PTR id, DWORD) {
    if (id != g_pending.timer) {  // a tick of a timer whose run is over
        KillTimer(nullptr, id);
        return;
    }
    if (!g_pending.ready() && GetTickCount() - g_pending.start < g_pending.deadlineMs) return;
    KillTimer(nullptr, id);
    auto fn = std::move(g_pending.fn);
    g_pending = Pending();
    if (fn) fn();
}
}  // namespace

void RunWhen(std::function<bool()> ready, std::function<void()> fn, UINT deadlineMs) {
    g_pending = Pending{std::move(ready), std::move(fn), GetTickCount(), deadlineMs, 0};
    g_pending.timer = SetTimer(nullptr, 0, 10, WhenProc);
}

}  // namespace testdesk
