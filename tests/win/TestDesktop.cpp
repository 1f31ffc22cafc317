#include "tests/win/TestDesktop.h"

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
    Pump(300);  // let the X server show it before anything copies the screen
}

PatternWindow::~PatternWindow() {
    DestroyWindow(m_hWnd);
    Pump(50);
}

void Pump(int ms) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {  // keep quit requests for the test to see
                PostQuitMessage(static_cast<int>(msg.wParam));
                return;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    } while (GetTickCount() < end);
}

namespace {
std::function<void()> g_soon;
void CALLBACK SoonProc(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto fn = std::move(g_soon);
    g_soon = nullptr;
    if (fn) fn();
}
}  // namespace

void RunSoon(std::function<void()> fn, UINT delayMs) {
    g_soon = std::move(fn);
    SetTimer(nullptr, 0, delayMs, SoonProc);
}

}  // namespace testdesk
