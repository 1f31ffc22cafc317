// Times the capture from the inside: its start-up phases (as the dialog announces them), its first paint,
// and single steps of the mouse paths a user drags through (hover, new selection, move, resize, a tool's
// preview, the pen), each against the time of one frame memcpy measured in the same process. It links
// the same code as corvane.exe and drives the real dialog with real messages over a desktop of its own.
//
//   corvane_bench.exe [--runs R] [--steps S] [--copies M]
//
// Prints machine-readable lines for scripts/bench (times in ms, run 0 is the first start in the process):
//   screen <cx> <cy>
//   phase <run> <ms> <name>        each announced phase, from the previous mark; "(constructor)" first,
//                                  "(rest of Create)" after the last announced phase
//   paint <run> <ms>               ShowWindow + UpdateWindow once Create has returned
//   total <run> <ms>               constructor to painted
//   step <kind> <ms>               one mouse message to the capture window plus its UpdateWindow
//   event <kind> <ms>              a press or release around the steps of a kind, for where time goes
//   memcpy <ms>                    one frame (cx * cy * 4 bytes) between two touched buffers
//   gdi <when> <count>             AfxLiveGdiObjects()
//   peak <when> <bytes>            this process's peak working set (it holds the bench's desktop too)
//   error <text>                   the dialog was not in the state a path should have left it in
// Exits 0 once it measured, 1 when it could not set up its desktop or create the dialog.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "capture/CorvaneDlg.h"
#include "framework/Afx.h"
#include "framework/GdiplusSession.h"
#include "palette/logic/CommandIds.h"
#include "selection/logic/SelectionGeometry.h"

namespace {

LARGE_INTEGER g_freq;

double NowMs() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(g_freq.QuadPart);
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) continue;  // the capture's own quit requests end nothing here
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Handles messages until ready() holds or deadlineMs have passed; returns whether it holds.
bool PumpUntil(const std::function<bool()>& ready, double deadlineMs) {
    const double start = NowMs();
    for (;;) {
        Pump();
        if (ready()) return true;
        if (NowMs() - start > deadlineMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

// ---- The desktop the capture freezes: a picture over the whole virtual screen and two windows on it.

COLORREF PictureAt(int x, int y) { return RGB(x & 0xFF, y & 0xFF, (x ^ (y * 3)) & 0xFF); }

constexpr COLORREF kColorA = RGB(40, 120, 200);
constexpr COLORREF kColorB = RGB(220, 160, 40);

struct Desktop {
    int x = 0, y = 0, cx = 0, cy = 0;  // the virtual screen
    RECT rcA = {}, rcB = {};            // the two windows, desktop coordinates
    HWND hPicture = nullptr, hA = nullptr, hB = nullptr;
    HDC dcPicture = nullptr;
    HBITMAP bmpPicture = nullptr;
    HGDIOBJ oldBitmap = nullptr;

    COLORREF ExpectedAt(int px, int py) const {
        const POINT p = {px, py};
        if (PtInRect(&rcA, p)) return kColorA;
        if (PtInRect(&rcB, p)) return kColorB;
        return PictureAt(px - x, py - y);
    }
};

Desktop* g_desktop = nullptr;

LRESULT CALLBACK PictureProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hWnd, &ps);
        BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
               ps.rcPaint.bottom - ps.rcPaint.top, g_desktop->dcPicture, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
        EndPaint(hWnd, &ps);
        return 0;
    }
    if (msg == WM_ERASEBKGND) return 1;  // the picture covers it all
    return DefWindowProcW(hWnd, msg, wParam, lParam);
}

HWND MakeWindow(const wchar_t* cls, const wchar_t* title, const RECT& r) {
    HWND h = CreateWindowExW(0, cls, title, WS_POPUP | WS_VISIBLE, r.left, r.top, r.right - r.left, r.bottom - r.top,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    UpdateWindow(h);
    return h;
}

// Whether the screen shows the desktop, on a grid of points over it and both windows; with `why`,
// says where it does not.
bool DesktopShows(const Desktop& d, std::string* why = nullptr) {
    HDC screen = GetDC(nullptr);
    bool ok = true;
    for (int gy = 0; gy < 7 && ok; ++gy) {
        for (int gx = 0; gx < 9 && ok; ++gx) {
            const int px = d.x + 3 + gx * (d.cx - 7) / 8, py = d.y + 3 + gy * (d.cy - 7) / 6;
            const COLORREF got = GetPixel(screen, px, py), want = d.ExpectedAt(px, py);
            ok = got == want;
            if (!ok && why) {
                char buf[128];
                snprintf(buf, sizeof(buf), "(%d,%d) shows %06lx, not %06lx", px, py, got, want);
                *why = buf;
            }
        }
    }
    ReleaseDC(nullptr, screen);
    return ok;
}

bool MakeDesktop(Desktop& d) {
    d.x = GetSystemMetrics(SM_XVIRTUALSCREEN);
    d.y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    d.cx = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    d.cy = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    // Side by side, not touching each other or the screen's edges: each about a fifth of the screen.
    d.rcA = {d.x + d.cx / 16, d.y + d.cy / 4, d.x + 7 * d.cx / 16, d.y + 3 * d.cy / 4};
    d.rcB = {d.x + 9 * d.cx / 16, d.y + d.cy / 4, d.x + 15 * d.cx / 16, d.y + 3 * d.cy / 4};

    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = d.cx;
    bi.bmiHeader.biHeight = -d.cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    d.bmpPicture = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!d.bmpPicture) return false;
    auto* px = static_cast<DWORD*>(bits);
    for (int y = 0; y < d.cy; ++y) {
        for (int x = 0; x < d.cx; ++x) {
            const COLORREF c = PictureAt(x, y);
            px[static_cast<size_t>(y) * d.cx + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    }
    d.dcPicture = CreateCompatibleDC(nullptr);
    d.oldBitmap = SelectObject(d.dcPicture, d.bmpPicture);

    WNDCLASSW wc = {};
    wc.lpfnWndProc = PictureProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = L"CorvaneBenchPicture";
    RegisterClassW(&wc);
    wc.lpfnWndProc = DefWindowProcW;  // the two windows are their class's background colour
    wc.lpszClassName = L"CorvaneBenchWindowA";
    wc.hbrBackground = CreateSolidBrush(kColorA);
    RegisterClassW(&wc);
    wc.lpszClassName = L"CorvaneBenchWindowB";
    wc.hbrBackground = CreateSolidBrush(kColorB);
    RegisterClassW(&wc);

    g_desktop = &d;
    d.hPicture = MakeWindow(L"CorvaneBenchPicture", L"picture", RECT{d.x, d.y, d.x + d.cx, d.y + d.cy});
    d.hA = MakeWindow(L"CorvaneBenchWindowA", L"window A", d.rcA);
    d.hB = MakeWindow(L"CorvaneBenchWindowB", L"window B", d.rcB);
    // The X server must show it all before a capture copies the screen.
    return PumpUntil([&] { return DesktopShows(d); }, 10000);
}

// ---- Start-up phases, as the dialog announces them.

struct Mark {
    std::string name;
    double at;
};
std::vector<Mark> g_marks;

void OnPhase(const char* name) { g_marks.push_back({name, NowMs()}); }

std::string FormatRect(const RECT& r) {
    char buf[96];
    snprintf(buf, sizeof(buf), "(%ld,%ld)-(%ld,%ld)", r.left, r.top, r.right, r.bottom);
    return buf;
}

// Creates a capture over the desktop, shows it and prints the times of its start as run `run`.
std::unique_ptr<CCorvaneDlg> StartCapture(CWinAppEx& app, int run) {
    g_marks.clear();
    const double t0 = NowMs();
    auto dlg = std::make_unique<CCorvaneDlg>();
    app.m_pMainWnd = dlg.get();
    const double tCreate = NowMs();
    if (!dlg->Create(IDD_CAPTURE)) {
        printf("error the capture dialog could not be created (run %d)\n", run);
        app.m_pMainWnd = nullptr;
        return nullptr;
    }
    const double tCreated = NowMs();
    dlg->ShowWindow(SW_SHOW);
    dlg->UpdateWindow();
    GdiFlush();
    const double tPainted = NowMs();
    // What the capture leaves for after its first paint (the windows it shows only later) is timed too.
    PumpUntil([&] { return dlg->ChildWindowsMade(); }, 5000);

    printf("phase %d %.3f (constructor)\n", run, tCreate - t0);
    double prev = tCreate;
    bool restPrinted = false;
    for (const Mark& m : g_marks) {
        if (m.at > tCreated && !restPrinted) {
            printf("phase %d %.3f (rest of Create)\n", run, tCreated - prev);
            restPrinted = true;
            prev = tPainted;
        }
        printf("phase %d %.3f %s%s\n", run, m.at - prev, m.name.c_str(), m.at > tCreated ? " (after the first paint)" : "");
        prev = m.at;
    }
    if (!restPrinted) printf("phase %d %.3f (rest of Create)\n", run, tCreated - prev);
    printf("paint %d %.3f\n", run, tPainted - tCreated);
    printf("total %d %.3f\n", run, tPainted - t0);
    fflush(stdout);
    return dlg;
}

void EndCapture(CWinAppEx& app, std::unique_ptr<CCorvaneDlg>& dlg, const Desktop& d) {
    dlg.reset();
    app.m_pMainWnd = nullptr;
    // The next capture must freeze the desktop, not what is left of this one.
    if (!PumpUntil([&] { return DesktopShows(d); }, 5000)) {
        std::string why;
        DesktopShows(d, &why);
        printf("error the desktop did not show again after a capture: %s\n", why.c_str());
    }
}

// ---- Steps of the mouse paths.

class Driver {
public:
    Driver(CCorvaneDlg& dlg) : m_dlg(dlg) {}

    // One step: the message, then the window brought up to date; timed as one.
    void Step(const char* kind, UINT msg, UINT flags, POINT pt) {
        const double t = NowMs();
        SendMessageW(m_dlg.m_hWnd, msg, flags, MAKELPARAM(pt.x, pt.y));
        ::UpdateWindow(m_dlg.m_hWnd);
        printf("step %s %.3f\n", kind, NowMs() - t);
        Pump();  // whatever the step left queued is handled before the next one
    }
    // A message around the steps (press, release, command), timed the same way but reported apart.
    void Event(const char* kind, UINT msg, WPARAM wParam, POINT pt) {
        const double t = NowMs();
        SendMessageW(m_dlg.m_hWnd, msg, wParam, MAKELPARAM(pt.x, pt.y));
        ::UpdateWindow(m_dlg.m_hWnd);
        printf("event %s %.3f\n", kind, NowMs() - t);
        Pump();
    }
    void Untimed(UINT msg, WPARAM wParam, POINT pt) {
        SendMessageW(m_dlg.m_hWnd, msg, wParam, MAKELPARAM(pt.x, pt.y));
        ::UpdateWindow(m_dlg.m_hWnd);
        Pump();
    }
    void Command(UINT id) {
        SendMessageW(m_dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(id, 0), 0);
        Pump();
    }

private:
    CCorvaneDlg& m_dlg;
};

int g_errors = 0;

void Expect(bool ok, const std::string& what) {
    if (ok) return;
    ++g_errors;
    printf("error %s\n", what.c_str());
}

POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// The capture's view coordinates of a desktop rectangle.
RECT ToView(const Desktop& d, RECT r) {
    OffsetRect(&r, -d.x, -d.y);
    return r;
}

void RunSteps(CCorvaneDlg& dlg, const Desktop& d, int steps) {
    Driver drv(dlg);
    const RECT rcA = ToView(d, d.rcA), rcB = ToView(d, d.rcB);
    const int cx = d.cx, cy = d.cy;

    // a. The hovered window changes: the view is recomposed around the other window. The first windows
    // the capture shows make the window system queue one move of its own, at the real pointer (parked
    // off this screen): it is taken before the steps begin.
    for (int i = 0; i < 5 && !EqualRect(&dlg.Hovered(), &rcA); ++i) drv.Untimed(WM_MOUSEMOVE, 0, Centre(rcA));
    Expect(EqualRect(&dlg.Hovered(), &rcA), "hover: a point in window A outlines " + FormatRect(dlg.Hovered()) +
                                                ", not A " + FormatRect(rcA));
    for (int i = 0; i < steps; ++i) {
        const bool toB = i % 2 == 0;
        drv.Step("hover change", WM_MOUSEMOVE, 0, Centre(toB ? rcB : rcA));
        const RECT& want = toB ? rcB : rcA;
        if (!EqualRect(&dlg.Hovered(), &want)) {
            Expect(false, "hover change: step " + std::to_string(i) + " outlines " + FormatRect(dlg.Hovered()) +
                              ", not " + FormatRect(want));
            break;
        }
    }

    // b. The pointer moves inside one window: the outline stays.
    drv.Untimed(WM_MOUSEMOVE, 0, Centre(rcA));
    POINT p = Centre(rcA);
    for (int i = 0; i < steps; ++i) {
        p.x += 5;
        p.y += (i % 2) ? -3 : 4;
        drv.Step("hover move", WM_MOUSEMOVE, 0, p);
        if (!EqualRect(&dlg.Hovered(), &rcA)) {
            Expect(false, "hover move: step " + std::to_string(i) + " outlines " + FormatRect(dlg.Hovered()) +
                              ", not A");
            break;
        }
    }

    // c. A new selection is dragged out; the steps grow it by a few pixels to about a third of the
    // screen each way, and the release fixes it.
    const POINT selFrom = {cx / 3, cy / 3};
    const POINT selTo = {2 * cx / 3, 2 * cy / 3};
    const int dx = 4, dy = 3;
    drv.Event("new selection press", WM_LBUTTONDOWN, MK_LBUTTON, selFrom);
    drv.Untimed(WM_MOUSEMOVE, MK_LBUTTON, POINT{selTo.x - steps * dx, selTo.y - steps * dy});
    for (int i = steps - 1; i >= 0; --i) {
        drv.Step("new selection drag", WM_MOUSEMOVE, MK_LBUTTON, POINT{selTo.x - i * dx, selTo.y - i * dy});
    }
    drv.Event("new selection release", WM_LBUTTONUP, 0, selTo);
    const RECT selWant = {selFrom.x, selFrom.y, selTo.x, selTo.y};
    Expect(dlg.Phase().FixedRegion() && !dlg.Phase().NewRegion() && EqualRect(&dlg.GetSelection().Rect(), &selWant),
           "new selection: has selection " + std::to_string(dlg.Phase().FixedRegion()) + ", selection " +
               FormatRect(dlg.GetSelection().Rect()) + ", expected " + FormatRect(selWant));

    // d. The selection is moved by its inside.
    RECT before = dlg.GetSelection().Rect();
    p = Centre(before);
    Expect(selection::HitTest(before, p).hit == HIT_BODY, "move: the press point is not on the selection's body");
    drv.Event("move press", WM_LBUTTONDOWN, MK_LBUTTON, p);
    for (int i = 0; i < steps; ++i) {
        p.x += dx;
        p.y += dy;
        drv.Step("move", WM_MOUSEMOVE, MK_LBUTTON, p);
    }
    drv.Event("move release", WM_LBUTTONUP, 0, p);
    RECT want = before;
    OffsetRect(&want, steps * dx, steps * dy);
    Expect(!dlg.GetSelection().Tracking() && EqualRect(&dlg.GetSelection().Rect(), &want),
           "move: selection " + FormatRect(dlg.GetSelection().Rect()) + ", expected " + FormatRect(want));

    // e. The selection is resized by its bottom-right handle.
    before = dlg.GetSelection().Rect();
    p = selection::HandlePointForHit(before, HIT_BOTTOMRIGHT);
    Expect(selection::HitTest(before, p).hit == HIT_BOTTOMRIGHT, "resize: the press point is not the bottom-right handle");
    drv.Event("resize press", WM_LBUTTONDOWN, MK_LBUTTON, p);
    for (int i = 0; i < steps; ++i) {
        p.x += dx;
        p.y += dy;
        drv.Step("resize", WM_MOUSEMOVE, MK_LBUTTON, p);
    }
    drv.Event("resize release", WM_LBUTTONUP, 0, p);
    want = before;
    want.right += steps * dx;
    want.bottom += steps * dy;
    Expect(!dlg.GetSelection().Tracking() && EqualRect(&dlg.GetSelection().Rect(), &want),
           "resize: selection " + FormatRect(dlg.GetSelection().Rect()) + ", expected " + FormatRect(want));

    // f. The rectangle tool: each step grows its live preview.
    const RECT sel = dlg.GetSelection().Rect();
    size_t shapes = dlg.GetMarks().Count();
    drv.Command(ID_TOOL_RECT);
    Expect(dlg.ToolChosen(), "rectangle tool: no tool chosen after its command");
    p = POINT{sel.left + 40, sel.top + 40};
    drv.Event("rectangle press", WM_LBUTTONDOWN, MK_LBUTTON, p);
    for (int i = 0; i < steps; ++i) {
        p.x += 2 * dx;
        p.y += 2 * dy;
        drv.Step("rectangle preview", WM_MOUSEMOVE, MK_LBUTTON, p);
    }
    drv.Event("rectangle release", WM_LBUTTONUP, 0, p);
    Expect(dlg.GetMarks().Count() == shapes + 1, "rectangle tool: " + std::to_string(dlg.GetMarks().Count() - shapes) +
                                                  " shapes added, expected 1");

    // g. The pen: each step adds a point to the stroke.
    shapes = dlg.GetMarks().Count();
    drv.Command(ID_TOOL_PEN);
    p = POINT{sel.left + 60, sel.bottom - 60};
    drv.Event("pen press", WM_LBUTTONDOWN, MK_LBUTTON, p);
    for (int i = 0; i < steps; ++i) {
        p.x += 2 * dx;
        p.y += (i % 2) ? -2 * dy : dy;
        drv.Step("pen", WM_MOUSEMOVE, MK_LBUTTON, p);
    }
    drv.Event("pen release", WM_LBUTTONUP, 0, p);
    Expect(dlg.GetMarks().Count() == shapes + 1, "pen: " + std::to_string(dlg.GetMarks().Count() - shapes) +
                                                  " shapes added, expected 1");
    fflush(stdout);
}

void PrintPeak(const char* when) {
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof(pmc);
    if (GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc))) {
        printf("peak %s %llu\n", when, static_cast<unsigned long long>(pmc.PeakWorkingSetSize));
    }
}

// One frame copied between two buffers whose pages are all committed and touched beforehand.
void TimeMemcpy(int cx, int cy, int copies) {
    const size_t bytes = static_cast<size_t>(cx) * cy * 4;
    auto* a = static_cast<unsigned char*>(VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    auto* b = static_cast<unsigned char*>(VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (!a || !b) {
        printf("error no memory for the memcpy reference\n");
        return;
    }
    memset(a, 0x5A, bytes);
    memset(b, 0xA5, bytes);
    volatile unsigned char sink = 0;
    for (int i = 0; i < copies; ++i) {
        a[static_cast<size_t>(i) * 4099 % bytes] = static_cast<unsigned char>(i);
        const double t = NowMs();
        memcpy(b, a, bytes);
        const double ms = NowMs() - t;
        sink = sink + b[static_cast<size_t>(i) * 4099 % bytes];
        printf("memcpy %.3f\n", ms);
    }
    VirtualFree(a, 0, MEM_RELEASE);
    VirtualFree(b, 0, MEM_RELEASE);
}

}  // namespace

int main(int argc, char** argv) {
    QueryPerformanceFrequency(&g_freq);
    int runs = 5, steps = 20, copies = 20;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!strcmp(argv[i], "--runs")) runs = atoi(argv[i + 1]);
        else if (!strcmp(argv[i], "--steps")) steps = atoi(argv[i + 1]);
        else if (!strcmp(argv[i], "--copies")) copies = atoi(argv[i + 1]);
    }
    if (runs < 1) runs = 1;
    if (steps < 1) steps = 1;
    if (copies < 1) copies = 1;

    // The process is set up as the program's: DPI aware (its manifest), common controls, GDI+.
    SetProcessDPIAware();
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    CGdiplusSession gdiplus;
    gdiplus.Start();

    Desktop desktop;
    if (!MakeDesktop(desktop)) {
        std::string why;
        DesktopShows(desktop, &why);
        printf("error the screen does not show the bench desktop after 10 s: %s\n", why.c_str());
        return 1;
    }
    printf("screen %d %d\n", desktop.cx, desktop.cy);
    AfxSetPhaseListener(OnPhase);

    int exitCode = 0;
    {
        CWinAppEx app;  // the capture is its main window, as in the program
        // Run 0 is the first capture in the process; the steps run on the last one.
        for (int run = 0; run <= runs; ++run) {
            const int gdiBefore = AfxLiveGdiObjects();
            std::unique_ptr<CCorvaneDlg> dlg = StartCapture(app, run);
            if (!dlg) {
                exitCode = 1;
                break;
            }
            if (run == 0) PrintPeak("after-first-start");
            if (run < runs) {
                EndCapture(app, dlg, desktop);
                continue;
            }
            PumpUntil([&] { return !GetUpdateRect(dlg->m_hWnd, nullptr, FALSE); }, 3000);
            printf("gdi before-start %d\n", gdiBefore);
            printf("gdi after-start %d\n", AfxLiveGdiObjects());
            RunSteps(*dlg, desktop, steps);
            printf("gdi after-steps %d\n", AfxLiveGdiObjects());
            EndCapture(app, dlg, desktop);
            printf("gdi after-close %d\n", AfxLiveGdiObjects());
        }
    }
    PrintPeak("end");
    TimeMemcpy(desktop.cx, desktop.cy, copies);
    AfxSetPhaseListener(nullptr);
    fflush(stdout);

    DestroyWindow(desktop.hB);
    DestroyWindow(desktop.hA);
    DestroyWindow(desktop.hPicture);
    g_desktop = nullptr;
    SelectObject(desktop.dcPicture, desktop.oldBitmap);
    DeleteDC(desktop.dcPicture);
    DeleteObject(desktop.bmpPicture);
    return exitCode;
}
