// The known desktop of the end-to-end tests.
//
//   pattern.exe show              full-screen window (not topmost) painted with the pattern; runs until closed
//   pattern.exe reference FILE    writes the same pattern for the whole virtual screen to FILE (24-bit BMP)
//   pattern.exe box X Y W H RRGGBB  a small plain window of one colour at X,Y (desktop coordinates)
//
// The window and the reference file are both filled by PatternPixel, so a screenshot can be compared
// with the file pixel for pixel. Every pixel of a screen up to 1280 x 1024 has its own colour, so any
// shift, flip, crop, scaling or channel swap of the picture changes pixels.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <vector>

namespace {

struct Rgb {
    BYTE r, g, b;
};

// Red counts x and green counts y inside each 256-pixel tile; blue tells the tiles apart (5 columns by
// 4 rows of tiles have distinct blue values) and carries a fine diagonal gradient in its low bits.
Rgb PatternPixel(int x, int y) {
    Rgb c;
    c.r = static_cast<BYTE>(x & 0xFF);
    c.g = static_cast<BYTE>(y & 0xFF);
    int tile = (x >> 8) + 5 * (y >> 8);        // 0 .. 19 for 1280 x 1024
    c.b = static_cast<BYTE>((tile * 12) ^ (((x + y) >> 5) & 0x07));
    return c;
}

struct VirtualScreen {
    int x, y, cx, cy;
};

VirtualScreen GetVirtualScreen() {
    return {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
            GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

// Top-down 32-bit BGRX rows of the pattern in desktop coordinates, as a DIB section wants them.
std::vector<DWORD> PatternRows(const VirtualScreen& vs) {
    std::vector<DWORD> px(static_cast<size_t>(vs.cx) * vs.cy);
    for (int row = 0; row < vs.cy; ++row)
        for (int col = 0; col < vs.cx; ++col) {
            Rgb c = PatternPixel(vs.x + col, vs.y + row);
            px[static_cast<size_t>(row) * vs.cx + col] = (DWORD(c.r) << 16) | (DWORD(c.g) << 8) | c.b;
        }
    return px;
}

bool WriteReference(const wchar_t* path) {
    VirtualScreen vs = GetVirtualScreen();
    const int stride = (vs.cx * 3 + 3) & ~3;
    BITMAPFILEHEADER fh = {};
    BITMAPINFOHEADER ih = {};
    ih.biSize = sizeof(ih);
    ih.biWidth = vs.cx;
    ih.biHeight = vs.cy;  // bottom-up
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    ih.biCompression = BI_RGB;
    ih.biSizeImage = static_cast<DWORD>(stride) * vs.cy;
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(fh) + sizeof(ih);
    fh.bfSize = fh.bfOffBits + ih.biSizeImage;

    FILE* f = _wfopen(path, L"wb");
    if (!f) return false;
    fwrite(&fh, sizeof(fh), 1, f);
    fwrite(&ih, sizeof(ih), 1, f);
    std::vector<BYTE> line(stride, 0);
    for (int row = vs.cy - 1; row >= 0; --row) {
        for (int col = 0; col < vs.cx; ++col) {
            Rgb c = PatternPixel(vs.x + col, vs.y + row);
            line[col * 3 + 0] = c.b;
            line[col * 3 + 1] = c.g;
            line[col * 3 + 2] = c.r;
        }
        fwrite(line.data(), 1, line.size(), f);
    }
    return fclose(f) == 0;
}

HBITMAP g_pattern;
COLORREF g_boxColour;

LRESULT CALLBACK PatternProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT rc;
        GetClientRect(hwnd, &rc);
        if (g_pattern) {
            HDC mem = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(mem, g_pattern);
            BitBlt(dc, 0, 0, rc.right, rc.bottom, mem, 0, 0, SRCCOPY);
            SelectObject(mem, old);
            DeleteDC(mem);
        } else {
            HBRUSH brush = CreateSolidBrush(g_boxColour);
            FillRect(dc, &rc, brush);
            DeleteObject(brush);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int RunWindow(HINSTANCE inst, const wchar_t* cls, int x, int y, int cx, int cy) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = PatternProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = cls;
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowExW(0, cls, cls, WS_POPUP, x, y, cx, cy, nullptr, nullptr, inst, nullptr);
    if (!hwnd) return 3;
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    GdiFlush();
    // The runner waits for this line before it looks at the screen.
    printf("shown %d %d %d %d\n", x, y, cx, cy);
    fflush(stdout);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

int Usage() {
    fprintf(stderr, "usage: pattern show | reference FILE | box X Y W H RRGGBB\n");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // Plain \n line ends: the runner reads this output with shell tools.
    _setmode(_fileno(stdout), _O_BINARY);
    // Physical pixels, so the window and the reference match the screen one to one.
    SetProcessDPIAware();
    HINSTANCE inst = GetModuleHandleW(nullptr);
    if (argc >= 2 && wcscmp(argv[1], L"show") == 0) {
        VirtualScreen vs = GetVirtualScreen();
        std::vector<DWORD> px = PatternRows(vs);
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = vs.cx;
        bi.bmiHeader.biHeight = -vs.cy;  // top-down
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        g_pattern = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (!g_pattern) return 3;
        memcpy(bits, px.data(), px.size() * sizeof(DWORD));
        return RunWindow(inst, L"CorvaneTestPattern", vs.x, vs.y, vs.cx, vs.cy);
    }
    if (argc == 3 && wcscmp(argv[1], L"reference") == 0)
        return WriteReference(argv[2]) ? 0 : 1;
    if (argc == 7 && wcscmp(argv[1], L"box") == 0) {
        unsigned long rgb = wcstoul(argv[6], nullptr, 16);
        g_boxColour = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
        return RunWindow(inst, L"CorvaneTestBox", _wtoi(argv[2]), _wtoi(argv[3]), _wtoi(argv[4]),
                         _wtoi(argv[5]));
    }
    return Usage();
}
