// The known desktop of the end-to-end tests.
//
//   pattern.exe show              full-screen window (not topmost) painted with the pattern; runs until closed
//   pattern.exe reference FILE    writes the same pattern for the whole virtual screen to FILE (24-bit BMP)
//   pattern.exe box X Y W H RRGGBB  a small plain window of one colour at X,Y (desktop coordinates)
//   pattern.exe desktop           the pattern window plus the window layout below (top-level windows with
//                                 child controls); prints "shown" once all of it is up; runs until closed
//   pattern.exe expect FILE [L T R B]
//                                 writes what the layout desktop looks like to FILE (24-bit BMP); with a
//                                 rectangle, as the capture shows it while that rectangle is outlined:
//                                 dimmed outside it, a 3-pixel light sky blue frame centred on its edges
//   pattern.exe check-magnifier SHOT.bmp CX CY
//                                 checks the magnifier in a screenshot of the layout desktop taken with the
//                                 cursor at CX,CY: its place, zoom square, bars and text panel; exit 1 and
//                                 the first differences when any pixel is wrong
//
// The window and the reference file are both filled by PatternPixel, so a screenshot can be compared
// with the file pixel for pixel. Every pixel of a screen up to 1280 x 1024 has its own colour, so any
// shift, flip, crop, scaling or channel swap of the picture changes pixels. The windows of the layout
// paint channel-shuffled or inverted variants of the same pattern (one control is plain red), so a
// window's picture, too, changes under any shift.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
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

// ---------------------------------------------------------------------------------------------------
// The layout desktop: windows over the pattern, in desktop coordinates. The scenarios name the same
// rectangles; keep them in step with tests/e2e/scenarios/detection.sh.

Rgb Invert(int x, int y) { Rgb c = PatternPixel(x, y); return {BYTE(255 - c.r), BYTE(255 - c.g), BYTE(255 - c.b)}; }
Rgb Red(int, int) { return {255, 0, 0}; }
Rgb RotateGbr(int x, int y) { Rgb c = PatternPixel(x, y); return {c.g, c.b, c.r}; }
Rgb MixA(int x, int y) { Rgb c = PatternPixel(x, y); return {BYTE(255 - c.g), c.r, 128}; }
Rgb MixB(int x, int y) { Rgb c = PatternPixel(x, y); return {c.b, BYTE(255 - c.r), c.g}; }
Rgb InvertGreen(int x, int y) { Rgb c = PatternPixel(x, y); return {c.r, BYTE(255 - c.g), c.b}; }
Rgb InvertRedBlue(int x, int y) { Rgb c = PatternPixel(x, y); return {BYTE(255 - c.r), c.g, BYTE(255 - c.b)}; }
Rgb RedRedGreen(int x, int y) { Rgb c = PatternPixel(x, y); return {c.r, c.r, c.g}; }
Rgb Yellow(int, int) { return {255, 255, 0}; }
Rgb Cyan(int, int) { return {0, 255, 255}; }
Rgb SwapRedBlue(int x, int y) { Rgb c = PatternPixel(x, y); return {c.b, c.g, c.r}; }
Rgb MixC(int x, int y) { Rgb c = PatternPixel(x, y); return {c.g, c.r, BYTE(255 - c.b)}; }

struct LayoutWindow {
    int parent;       // index of the parent in kLayout, -1 for a top-level window
    RECT rc;          // desktop coordinates
    DWORD exStyle;
    Rgb (*paint)(int x, int y);
};

// Bottom to top: a top-level window comes before the windows above it, a child after its parent and
// below its later siblings.
const LayoutWindow kLayout[] = {
    /* 0 panel          */ {-1, {120, 100, 600, 460}, 0, Invert},
    /* 1 red control    */ {0, {160, 140, 320, 240}, 0, Red},
    /* 2 control        */ {0, {360, 160, 560, 310}, 0, RotateGbr},
    /* 3 upper control  */ {0, {500, 280, 580, 400}, 0, MixA},           // above control 2 where they overlap
    /* 4 grandchild     */ {3, {510, 350, 560, 390}, 0, MixB},
    /* 5 window         */ {-1, {700, 200, 1100, 500}, 0, InvertGreen},
    /* 6 upper window   */ {-1, {1000, 400, 1200, 600}, 0, InvertRedBlue},  // above window 5 where they overlap
    /* 7 no-activate    */ {-1, {700, 560, 900, 680}, WS_EX_NOACTIVATE, RedRedGreen},
    /* 8 5 px wide      */ {-1, {950, 650, 955, 750}, 0, Yellow},
    /* 9 6 px wide      */ {-1, {970, 650, 976, 750}, 0, Cyan},
    /* 10 past bottom-right */ {-1, {1180, 700, 1380, 900}, 0, SwapRedBlue},
    /* 11 past left     */ {-1, {-20, 560, 80, 660}, 0, MixC},
};
const int kLayoutCount = sizeof(kLayout) / sizeof(kLayout[0]);

bool Contains(const RECT& rc, int x, int y) { return x >= rc.left && x < rc.right && y >= rc.top && y < rc.bottom; }

// The deepest window of the layout at a point, choosing the topmost sibling at every level; -1 for the
// pattern.
int LayoutWindowAt(int parent, int x, int y) {
    for (int i = kLayoutCount - 1; i >= 0; --i) {
        if (kLayout[i].parent == parent && Contains(kLayout[i].rc, x, y)) {
            int deeper = LayoutWindowAt(i, x, y);
            return deeper >= 0 ? deeper : i;
        }
    }
    return -1;
}

Rgb DesktopPixel(int x, int y) {
    int i = LayoutWindowAt(-1, x, y);
    return i < 0 ? PatternPixel(x, y) : kLayout[i].paint(x, y);
}

// Top-down 32-bit BGRX rows of a picture in desktop coordinates, as a DIB section wants them.
template <typename Pixel>
std::vector<DWORD> PictureRows(const VirtualScreen& vs, Pixel pixel) {
    std::vector<DWORD> px(static_cast<size_t>(vs.cx) * vs.cy);
    for (int row = 0; row < vs.cy; ++row)
        for (int col = 0; col < vs.cx; ++col) {
            Rgb c = pixel(vs.x + col, vs.y + row);
            px[static_cast<size_t>(row) * vs.cx + col] = (DWORD(c.r) << 16) | (DWORD(c.g) << 8) | c.b;
        }
    return px;
}

template <typename Pixel>
bool WriteBmp(const wchar_t* path, const VirtualScreen& vs, Pixel pixel) {
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
            Rgb c = pixel(vs.x + col, vs.y + row);
            line[col * 3 + 0] = c.b;
            line[col * 3 + 1] = c.g;
            line[col * 3 + 2] = c.r;
        }
        fwrite(line.data(), 1, line.size(), f);
    }
    return fclose(f) == 0;
}

bool WriteReference(const wchar_t* path) { return WriteBmp(path, GetVirtualScreen(), PatternPixel); }

// ---------------------------------------------------------------------------------------------------
// What the capture shows over the layout desktop.

const Rgb kSkyBlue = {0x37, 0xAD, 0xE7};

BYTE Dim(BYTE v) { return static_cast<BYTE>((v * 155 + 127) / 255); }

// The outline is a 3-pixel pen centred on the edges of the rectangle as GDI draws it: the left and top
// edges on the first column and row inside, the right and bottom edges on the last ones inside.
bool OnOutline(const RECT& r, int x, int y) {
    bool inX = x >= r.left - 1 && x <= r.right;
    bool inY = y >= r.top - 1 && y <= r.bottom;
    bool vertical = inY && ((x >= r.left - 1 && x <= r.left + 1) || (x >= r.right - 2 && x <= r.right));
    bool horizontal = inX && ((y >= r.top - 1 && y <= r.top + 1) || (y >= r.bottom - 2 && y <= r.bottom));
    return vertical || horizontal;
}

bool WriteExpected(const wchar_t* path, const RECT* outline) {
    VirtualScreen vs = GetVirtualScreen();
    return WriteBmp(path, vs, [&](int x, int y) {
        Rgb c = DesktopPixel(x, y);
        if (!outline) return c;
        if (OnOutline(*outline, x, y)) return kSkyBlue;
        if (!Contains(*outline, x, y)) c = {Dim(c.r), Dim(c.g), Dim(c.b)};
        return c;
    });
}

// A screenshot read from a BMP file (24 or 32 bits, either row order), in screen coordinates.
struct Shot {
    int cx = 0, cy = 0;
    std::vector<Rgb> px;
    const Rgb& at(int x, int y) const { return px[static_cast<size_t>(y) * cx + x]; }
};

bool ReadBmp(const wchar_t* path, Shot* shot) {
    FILE* f = _wfopen(path, L"rb");
    if (!f) return false;
    BITMAPFILEHEADER fh = {};
    BITMAPINFOHEADER ih = {};
    bool ok = fread(&fh, sizeof(fh), 1, f) == 1 && fread(&ih, sizeof(ih), 1, f) == 1 && fh.bfType == 0x4D42 &&
              (ih.biBitCount == 24 || ih.biBitCount == 32) && ih.biWidth > 0 && ih.biHeight != 0;
    if (ok) {
        const int bpp = ih.biBitCount / 8;
        const int rows = ih.biHeight < 0 ? -ih.biHeight : ih.biHeight;
        const int stride = (ih.biWidth * bpp + 3) & ~3;
        shot->cx = ih.biWidth;
        shot->cy = rows;
        shot->px.assign(static_cast<size_t>(shot->cx) * rows, Rgb{});
        std::vector<BYTE> line(stride);
        fseek(f, fh.bfOffBits, SEEK_SET);
        for (int i = 0; ok && i < rows; ++i) {
            ok = fread(line.data(), 1, stride, f) == static_cast<size_t>(stride);
            int y = ih.biHeight < 0 ? i : rows - 1 - i;
            for (int x = 0; ok && x < shot->cx; ++x)
                shot->px[static_cast<size_t>(y) * shot->cx + x] = {line[x * bpp + 2], line[x * bpp + 1], line[x * bpp]};
        }
    }
    fclose(f);
    return ok;
}

// The info panel as the magnifier should draw it: dark grey, two lines of white text in the small GUI
// font, drawn here by the platform itself from the known position and colour.
std::vector<Rgb> ExpectedPanel(const std::wstring& pos, const std::wstring& rgb) {
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 150, 200);
    HGDIOBJ oldBmp = SelectObject(mem, bmp);
    HBRUSH grey = CreateSolidBrush(RGB(0x40, 0x40, 0x40));
    RECT panel = {0, 150, 150, 200};
    FillRect(mem, &panel, grey);
    DeleteObject(grey);
    SetTextColor(mem, RGB(255, 255, 255));
    SetBkColor(mem, RGB(0x40, 0x40, 0x40));
    // The small dialog font at the height it has at 96 DPI, whatever the desktop's DPI: the panel keeps
    // its size in pixels, and so do its lines.
    LOGFONTW lf = {};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    lf.lfHeight = MulDiv(lf.lfHeight, 96, GetDeviceCaps(screen, LOGPIXELSY));
    HFONT font = CreateFontIndirectW(&lf);
    HGDIOBJ oldFont = SelectObject(mem, font);
    RECT l1 = {8, 156, 150, 176}, l2 = {8, 178, 150, 198};
    DrawTextW(mem, pos.c_str(), -1, &l1, DT_VCENTER | DT_SINGLELINE);
    DrawTextW(mem, rgb.c_str(), -1, &l2, DT_VCENTER | DT_SINGLELINE);
    std::vector<Rgb> px;
    for (int y = 150; y < 200; ++y)
        for (int x = 0; x < 150; ++x) {
            COLORREF c = GetPixel(mem, x, y);
            px.push_back({GetRValue(c), GetGValue(c), GetBValue(c)});
        }
    SelectObject(mem, oldFont);
    DeleteObject(font);
    SelectObject(mem, oldBmp);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return px;
}

// The magnifier with the cursor at (cx, cy) on the layout desktop: 150 x 200 at cursor + 20, flipped
// to the other side of the cursor where it would pass the right or bottom edge; the 75 x 75 pixels
// around the cursor (kept inside the screen) enlarged two times under a 2-pixel frame and cross bars;
// the text panel below.
int CheckMagnifier(const wchar_t* path, int cx, int cy) {
    Shot shot;
    if (!ReadBmp(path, &shot)) {
        fprintf(stderr, "cannot read %ls\n", path);
        return 2;
    }
    const int W = 150, H = 200;
    const int left = cx + W > shot.cx ? cx - 170 : cx + 20;
    const int top = cy + H > shot.cy ? cy - 220 : cy + 20;
    int sx = cx - W / 4, sy = cy - W / 4;
    if (sx < 0) sx = 0; else if (cx > shot.cx - W / 4) sx = shot.cx - W / 2;
    if (sy < 0) sy = 0; else if (cy > shot.cy - W / 4) sy = shot.cy - W / 2;
    Rgb under = DesktopPixel(cx, cy);
    wchar_t pos[64], rgb[64];
    swprintf(pos, 64, L"POS: (%d, %d)", cx, cy);
    swprintf(rgb, 64, L"RGB: (%d, %d, %d)", under.r, under.g, under.b);
    const std::vector<Rgb> panel = ExpectedPanel(pos, rgb);

    int checked = 0, wrong = 0;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const int X = left + x, Y = top + y;
            if (X < 0 || Y < 0 || X >= shot.cx || Y >= shot.cy) continue;  // hangs over the edge
            Rgb want;
            if (y >= W) {
                want = panel[static_cast<size_t>(y - W) * W + x];
            } else if (x < 2 || y < 2 || x >= W - 2 || y >= W - 2 || x == 74 || x == 75 || y == 74 || y == 75) {
                want = kSkyBlue;
            } else {
                want = DesktopPixel(sx + x / 2, sy + y / 2);
            }
            const Rgb& got = shot.at(X, Y);
            ++checked;
            if (got.r != want.r || got.g != want.g || got.b != want.b) {
                if (++wrong <= 5)
                    printf("  magnifier pixel %d,%d (screen %d,%d): %02X%02X%02X, want %02X%02X%02X\n", x, y, X, Y, got.r,
                           got.g, got.b, want.r, want.g, want.b);
            }
        }
    printf("magnifier at %d %d: %d of %d pixels differ (%ls, %ls)\n", left, top, wrong, checked, pos, rgb);
    return wrong == 0 ? 0 : 1;
}

// ---------------------------------------------------------------------------------------------------
// Windows.

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
            // Every window shows the picture of the whole desktop at its own place.
            RECT at;
            GetWindowRect(hwnd, &at);
            VirtualScreen vs = GetVirtualScreen();
            HDC mem = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(mem, g_pattern);
            BitBlt(dc, 0, 0, rc.right, rc.bottom, mem, at.left - vs.x, at.top - vs.y, SRCCOPY);
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
    case WM_KEYDOWN:
    case WM_KEYUP:
        // Keys that reach the desktop: a capture must keep those that end it.
        printf("%s %u\n", msg == WM_KEYDOWN ? "keydown" : "keyup", static_cast<unsigned>(wp));
        fflush(stdout);
        break;
    case WM_DESTROY:
        if (!(GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD)) PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

void RegisterWindowClass(HINSTANCE inst, const wchar_t* cls) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = PatternProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = cls;
    RegisterClassW(&wc);
}

int RunMessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

int RunWindow(HINSTANCE inst, const wchar_t* cls, int x, int y, int cx, int cy) {
    RegisterWindowClass(inst, cls);
    HWND hwnd = CreateWindowExW(0, cls, cls, WS_POPUP, x, y, cx, cy, nullptr, nullptr, inst, nullptr);
    if (!hwnd) return 3;
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    GdiFlush();
    // The runner waits for this line before it looks at the screen.
    printf("shown %d %d %d %d\n", x, y, cx, cy);
    fflush(stdout);
    return RunMessageLoop();
}

HBITMAP MakePicture(const VirtualScreen& vs, const std::vector<DWORD>& px) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = vs.cx;
    bi.bmiHeader.biHeight = -vs.cy;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bmp) memcpy(bits, px.data(), px.size() * sizeof(DWORD));
    return bmp;
}

// The pattern window and the layout over it, in one process. Each top-level window is raised as it is
// shown, each child above its earlier siblings; the Z order the system ends up with is checked against
// the layout before "shown" is printed, so a scenario never runs over a desktop other than the one it
// computes its expectations from.
int RunDesktop(HINSTANCE inst) {
    VirtualScreen vs = GetVirtualScreen();
    g_pattern = MakePicture(vs, PictureRows(vs, DesktopPixel));
    if (!g_pattern) return 3;
    const wchar_t* cls = L"CorvaneTestDesktop";
    RegisterWindowClass(inst, cls);
    HWND background = CreateWindowExW(0, cls, L"CorvaneTestPattern", WS_POPUP, vs.x, vs.y, vs.cx, vs.cy, nullptr,
                                      nullptr, inst, nullptr);
    if (!background) return 3;
    ShowWindow(background, SW_SHOW);
    UpdateWindow(background);

    HWND hwnds[kLayoutCount] = {};
    for (int i = 0; i < kLayoutCount; ++i) {
        const LayoutWindow& w = kLayout[i];
        if (w.parent >= 0) continue;
        hwnds[i] = CreateWindowExW(w.exStyle, cls, L"CorvaneTestWindow", WS_POPUP | WS_CLIPCHILDREN, w.rc.left,
                                   w.rc.top, w.rc.right - w.rc.left, w.rc.bottom - w.rc.top, nullptr, nullptr, inst,
                                   nullptr);
        if (!hwnds[i]) return 3;
        // Children, in the layout's order (each parent comes before its children).
        for (int j = i + 1; j < kLayoutCount; ++j) {
            const LayoutWindow& c = kLayout[j];
            if (c.parent < i || !hwnds[c.parent]) continue;
            const RECT& p = kLayout[c.parent].rc;
            hwnds[j] = CreateWindowExW(c.exStyle, cls, L"CorvaneTestControl",
                                       WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, c.rc.left - p.left,
                                       c.rc.top - p.top, c.rc.right - c.rc.left, c.rc.bottom - c.rc.top,
                                       hwnds[c.parent], nullptr, inst, nullptr);
            if (!hwnds[j]) return 3;
            SetWindowPos(hwnds[j], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
        SetWindowPos(hwnds[i], HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | (w.exStyle & WS_EX_NOACTIVATE ? SWP_NOACTIVATE : 0));
        UpdateWindow(hwnds[i]);
    }
    GdiFlush();

    // The system's Z order of our windows, topmost first, must be the layout's, bottom to top, reversed.
    std::vector<HWND> want, got;
    for (int i = kLayoutCount - 1; i >= 0; --i)
        if (kLayout[i].parent < 0) want.push_back(hwnds[i]);
    want.push_back(background);
    for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        if (pid == GetCurrentProcessId() && IsWindowVisible(h)) got.push_back(h);
    }
    for (int i = 0; i < kLayoutCount; ++i) {
        if (kLayout[i].parent >= 0) continue;
        std::vector<HWND> wantChildren, gotChildren;
        for (int j = kLayoutCount - 1; j > i; --j)
            if (kLayout[j].parent == i) wantChildren.push_back(hwnds[j]);
        for (HWND h = GetWindow(hwnds[i], GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) gotChildren.push_back(h);
        if (wantChildren != gotChildren) {
            fprintf(stderr, "layout: the controls of window %d are not in the layout's order\n", i);
            return 4;
        }
    }
    if (want != got) {
        fprintf(stderr, "layout: top-level Z order differs from the layout (%zu windows seen)\n", got.size());
        return 4;
    }
    printf("shown layout\n");
    fflush(stdout);
    return RunMessageLoop();
}

int Usage() {
    fprintf(stderr,
            "usage: pattern show | reference FILE | box X Y W H RRGGBB | desktop | expect FILE [L T R B] |\n"
            "       check-magnifier SHOT.bmp CX CY\n");
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
        g_pattern = MakePicture(vs, PictureRows(vs, PatternPixel));
        if (!g_pattern) return 3;
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
    if (argc == 2 && wcscmp(argv[1], L"desktop") == 0) return RunDesktop(inst);
    if ((argc == 3 || argc == 7) && wcscmp(argv[1], L"expect") == 0) {
        RECT outline = {};
        if (argc == 7) outline = {_wtoi(argv[3]), _wtoi(argv[4]), _wtoi(argv[5]), _wtoi(argv[6])};
        return WriteExpected(argv[2], argc == 7 ? &outline : nullptr) ? 0 : 1;
    }
    if (argc == 5 && wcscmp(argv[1], L"check-magnifier") == 0)
        return CheckMagnifier(argv[2], _wtoi(argv[3]), _wtoi(argv[4]));
    return Usage();
}
