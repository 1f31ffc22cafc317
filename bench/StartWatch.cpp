// Measures a program's start from the outside, the way a user sees it: the screen is covered with one
// flat colour, the program is started, and the time runs until every watched point of the screen shows
// something else (the program's window mapped and painted). Then the program's peak working set is read,
// and the program is ended.
//
// The pointer rests on a small window of the cover, away from the watched points: a capture outlines
// the window under the pointer and dims the rest, so the watched points change colour. Over the bare
// cover it would outline the whole desktop and show the cover's own colour undimmed.
//
//   bench_startwatch.exe [--runs N] [--deadline-ms D] [--settle-ms S] [--hold-ms H] EXE...
//
// Each run starts every EXE once, in the order given; run 0 is a warm-up. One line per measurement:
//   start <name> <run> <ms> <colour seen at the centre>
//   peak <name> <run> <bytes>
//   fail <name> <run> <reason>
// The exit code is 0 when every run was measured, 1 when some failed, 2 for a usage error.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kFlat = RGB(255, 255, 255);

LARGE_INTEGER g_freq;

double NowMs() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(g_freq.QuadPart);
}

// Handles whatever was sent or posted to the cover window, so that no other process waits on it.
void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Waits about a millisecond, handling messages meanwhile.
void Tick() {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    Pump();
}

LRESULT CALLBACK CoverProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CLOSE) return 0;  // only the watcher ends its cover
    return DefWindowProcW(hWnd, msg, wParam, lParam);
}

struct Screen {
    int x = 0, y = 0, cx = 0, cy = 0;
    std::vector<POINT> points;  // the centre and a point near each corner, desktop coordinates
    RECT rcRest = {};           // the small window the pointer rests on
};

Screen WatchedPoints() {
    Screen s;
    s.x = GetSystemMetrics(SM_XVIRTUALSCREEN);
    s.y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    s.cx = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    s.cy = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    const int inset = 16;
    s.points = {
        {s.x + s.cx / 2, s.y + s.cy / 2},
        {s.x + inset, s.y + inset},
        {s.x + s.cx - 1 - inset, s.y + inset},
        {s.x + inset, s.y + s.cy - 1 - inset},
        {s.x + s.cx - 1 - inset, s.y + s.cy - 1 - inset},
    };
    // A quarter of the way in from the top-left corner: clear of the watched points, and so is the
    // magnifier that shows beside the pointer.
    const int rx = s.x + s.cx / 4, ry = s.y + s.cy / 4;
    s.rcRest = {rx - 32, ry - 32, rx + 32, ry + 32};
    return s;
}

// How many watched points show the flat colour.
int FlatPoints(HDC screen, const Screen& s) {
    int n = 0;
    for (const POINT& p : s.points) {
        if (GetPixel(screen, p.x, p.y) == kFlat) ++n;
    }
    return n;
}

// Waits until every watched point shows the flat colour again; false after deadlineMs.
bool AwaitFlat(HDC screen, const Screen& s, double deadlineMs) {
    const double start = NowMs();
    while (FlatPoints(screen, s) != static_cast<int>(s.points.size())) {
        if (NowMs() - start > deadlineMs) return false;
        Tick();
    }
    return true;
}

// Waits until the pointer is at `at` (the X server has taken the warp); false after deadlineMs.
bool PumpUntilCursorAt(POINT at, double deadlineMs, POINT* cursor) {
    const double start = NowMs();
    for (;;) {
        GetCursorPos(cursor);
        if (cursor->x == at.x && cursor->y == at.y) return true;
        if (NowMs() - start > deadlineMs) return false;
        Tick();
    }
}

std::string BaseName(const std::wstring& path) {
    size_t slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos) name.resize(dot);
    std::string out;
    for (wchar_t c : name) out.push_back(c < 128 ? static_cast<char>(c) : '_');
    return out;
}

// One start of exe: true when it was measured.
bool MeasureOnce(const std::wstring& exe, const std::string& name, int run, HDC screen, const Screen& s,
                 double deadlineMs, double settleMs, double holdMs) {
    std::wstring cmd = L"\"" + exe + L"\"";
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};

    const double t0 = NowMs();
    if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        printf("fail %s %d cannot start (error %lu)\n", name.c_str(), run, GetLastError());
        return false;
    }
    CloseHandle(pi.hThread);

    bool painted = false;
    std::string failure;
    double elapsed = 0;
    for (;;) {
        if (FlatPoints(screen, s) == 0) {
            elapsed = NowMs() - t0;
            painted = true;
            break;
        }
        if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(pi.hProcess, &code);
            failure = "exited with code " + std::to_string(code) + " before its window showed";
            break;
        }
        if (NowMs() - t0 > deadlineMs) {
            failure = "no window painted after " + std::to_string(static_cast<int>(deadlineMs)) + " ms (" +
                      std::to_string(FlatPoints(screen, s)) + " of " + std::to_string(s.points.size()) +
                      " points still flat)";
            break;
        }
        Tick();
    }

    if (painted) {
        const COLORREF c = GetPixel(screen, s.points[0].x, s.points[0].y);
        printf("start %s %d %.2f %02x%02x%02x\n", name.c_str(), run, elapsed, GetRValue(c), GetGValue(c), GetBValue(c));
        // Whatever the program still does right after its first paint belongs to its start too.
        const double settled = NowMs();
        while (NowMs() - settled < settleMs) Tick();
        PROCESS_MEMORY_COUNTERS pmc = {};
        pmc.cb = sizeof(pmc);
        if (GetProcessMemoryInfo(pi.hProcess, &pmc, sizeof(pmc)) && pmc.PeakWorkingSetSize > 0) {
            printf("peak %s %d %llu\n", name.c_str(), run, static_cast<unsigned long long>(pmc.PeakWorkingSetSize));
        } else {
            printf("fail %s %d no peak working set (error %lu)\n", name.c_str(), run, GetLastError());
        }
        const double held = NowMs();
        while (NowMs() - held < holdMs) Tick();
    } else {
        printf("fail %s %d %s\n", name.c_str(), run, failure.c_str());
    }
    fflush(stdout);

    TerminateProcess(pi.hProcess, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) {
        printf("fail %s %d did not end within 10 s of TerminateProcess\n", name.c_str(), run);
        painted = false;
    }
    CloseHandle(pi.hProcess);
    if (!AwaitFlat(screen, s, 5000)) {
        printf("fail %s %d the screen did not show the cover again within 5 s\n", name.c_str(), run);
        painted = false;
    }
    fflush(stdout);
    return painted;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    QueryPerformanceFrequency(&g_freq);
    int runs = 5;
    double deadlineMs = 20000, settleMs = 200, holdMs = 0;
    std::vector<std::wstring> exes;
    for (int i = 1; i < argc; ++i) {
        const std::wstring a = argv[i];
        if (i + 1 < argc && a == L"--runs") {
            runs = _wtoi(argv[++i]);
        } else if (i + 1 < argc && a == L"--deadline-ms") {
            deadlineMs = _wtof(argv[++i]);
        } else if (i + 1 < argc && a == L"--settle-ms") {
            settleMs = _wtof(argv[++i]);
        } else if (i + 1 < argc && a == L"--hold-ms") {
            holdMs = _wtof(argv[++i]);
        } else if (a.rfind(L"--", 0) == 0) {
            fprintf(stderr, "startwatch: unknown option %ls\n", a.c_str());
            return 2;
        } else {
            exes.push_back(a);
        }
    }
    if (exes.empty() || runs < 1) {
        fprintf(stderr, "usage: bench_startwatch.exe [--runs N] [--deadline-ms D] [--settle-ms S] [--hold-ms H] EXE...\n");
        return 2;
    }

    WNDCLASSW wc = {};
    wc.lpfnWndProc = CoverProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"CorvaneBenchCover";
    RegisterClassW(&wc);
    const Screen s = WatchedPoints();
    HWND cover = CreateWindowExW(0, wc.lpszClassName, L"cover", WS_POPUP, s.x, s.y, s.cx, s.cy, nullptr, nullptr,
                                 wc.hInstance, nullptr);
    ShowWindow(cover, SW_SHOW);
    UpdateWindow(cover);
    HWND rest = CreateWindowExW(0, wc.lpszClassName, L"rest", WS_POPUP, s.rcRest.left, s.rcRest.top,
                                s.rcRest.right - s.rcRest.left, s.rcRest.bottom - s.rcRest.top, nullptr, nullptr,
                                wc.hInstance, nullptr);
    ShowWindow(rest, SW_SHOW);
    UpdateWindow(rest);
    const POINT restAt = {(s.rcRest.left + s.rcRest.right) / 2, (s.rcRest.top + s.rcRest.bottom) / 2};
    SetCursorPos(restAt.x, restAt.y);
    HDC screen = GetDC(nullptr);
    if (!AwaitFlat(screen, s, 10000)) {
        printf("fail cover - the screen does not show the cover after 10 s\n");
        return 1;
    }

    POINT cursor = {};
    if (!PumpUntilCursorAt(restAt, 3000, &cursor)) {
        printf("fail cover - the pointer is at (%ld,%ld), not on the small window at (%ld,%ld)\n", cursor.x, cursor.y,
               restAt.x, restAt.y);
        return 1;
    }
    printf("screen %d %d\n", s.cx, s.cy);
    bool all = true;
    for (int run = 0; run <= runs; ++run) {
        for (const std::wstring& exe : exes) {
            if (!MeasureOnce(exe, BaseName(exe), run, screen, s, deadlineMs, settleMs, holdMs)) all = false;
        }
    }
    ReleaseDC(nullptr, screen);
    DestroyWindow(rest);
    DestroyWindow(cover);
    return all ? 0 : 1;
}
