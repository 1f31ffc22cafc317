// Finds the windows of a running capture and talks to them, for the end-to-end runner.
//
//   sendmsg.exe wait-capture MS     wait until the capture window covers the virtual screen; prints its rect
//   sendmsg.exe wait-gone MS        wait until no capture window exists
//   sendmsg.exe close               post WM_CLOSE to the capture window
//   sendmsg.exe about               post WM_SYSCOMMAND with the About item (0x0010) to the capture window
//   sendmsg.exe repaint             make the capture window repaint all of itself now
//   sendmsg.exe find-about [MS]     print "about: present X Y W H ok CX CY" (CX, CY: centre of its OK button,
//                                   or -1 -1) or "about: absent"; waits up to MS for it to be shown
//   sendmsg.exe about-gone MS       wait until no About box is shown
//   sendmsg.exe dismiss-about       post IDCANCEL to the About box
//
// Exit status: 0 when the window was found (and the message posted), 1 when not, 2 on bad usage.
// The capture window is the visible dialog (class "#32770") whose window rectangle is the virtual screen.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cwchar>

namespace {

const wchar_t kAboutTitle[] = L"关于 Corvane";
const UINT kAboutCommand = 0x0010;

struct Search {
    RECT want;
    HWND found;
};

BOOL CALLBACK FindCapture(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<Search*>(lp);
    wchar_t cls[64] = {};
    GetClassNameW(hwnd, cls, 64);
    if (wcscmp(cls, L"#32770") != 0 || !IsWindowVisible(hwnd)) return TRUE;
    RECT rc;
    GetWindowRect(hwnd, &rc);
    if (EqualRect(&rc, &s->want)) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND CaptureWindow() {
    Search s = {};
    s.want.left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    s.want.top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    s.want.right = s.want.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    s.want.bottom = s.want.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    EnumWindows(FindCapture, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND AboutBox() {
    HWND hwnd = FindWindowW(L"#32770", kAboutTitle);
    return hwnd && IsWindowVisible(hwnd) ? hwnd : nullptr;
}



// Polls every 50 ms until want(found) holds or the time is up; returns the last window seen.
template <typename Find>
HWND Poll(Find find, bool wantPresent, DWORD ms) {
    DWORD start = GetTickCount();
    for (;;) {
        HWND hwnd = find();
        if ((hwnd != nullptr) == wantPresent || GetTickCount() - start >= ms) return hwnd;
        Sleep(50);
    }
}

void PrintRect(const char* what, HWND hwnd) {
    RECT rc;
    GetWindowRect(hwnd, &rc);
    printf("%s: present %ld %ld %ld %ld\n", what, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
}

int Usage() {
    fprintf(stderr, "usage: sendmsg wait-capture MS | wait-gone MS | close | about | repaint | "
                    "find-about [MS] | about-gone MS | dismiss-about\n");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // Plain \n line ends: the runner reads this output with shell tools.
    _setmode(_fileno(stdout), _O_BINARY);
    SetProcessDPIAware();
    if (argc < 2) return Usage();
    const wchar_t* cmd = argv[1];
    DWORD ms = argc >= 3 ? static_cast<DWORD>(_wtoi(argv[2])) : 0;

    if (wcscmp(cmd, L"wait-capture") == 0) {
        HWND hwnd = Poll(CaptureWindow, true, ms);
        if (!hwnd) {
            printf("capture: absent\n");
            return 1;
        }
        PrintRect("capture", hwnd);
        return 0;
    }
    if (wcscmp(cmd, L"wait-gone") == 0) {
        HWND hwnd = Poll(CaptureWindow, false, ms);
        printf("capture: %s\n", hwnd ? "still present" : "gone");
        return hwnd ? 1 : 0;
    }
    if (wcscmp(cmd, L"find-about") == 0) {
        HWND hwnd = Poll(AboutBox, true, ms);
        if (!hwnd) {
            printf("about: absent\n");
            return 1;
        }
        RECT rc, ok = {-1, -1, -1, -1};
        GetWindowRect(hwnd, &rc);
        if (HWND button = GetDlgItem(hwnd, IDOK)) GetWindowRect(button, &ok);
        printf("about: present %ld %ld %ld %ld ok %ld %ld\n", rc.left, rc.top, rc.right - rc.left,
               rc.bottom - rc.top, (ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2);
        return 0;
    }
    if (wcscmp(cmd, L"about-gone") == 0) {
        HWND hwnd = Poll(AboutBox, false, ms);
        printf("about: %s\n", hwnd ? "still present" : "gone");
        return hwnd ? 1 : 0;
    }
    if (wcscmp(cmd, L"dismiss-about") == 0) {
        HWND hwnd = AboutBox();
        if (!hwnd) return 1;
        PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return 0;
    }

    HWND capture = CaptureWindow();
    if (!capture) {
        printf("capture: absent\n");
        return 1;
    }
    if (wcscmp(cmd, L"close") == 0) {
        PostMessageW(capture, WM_CLOSE, 0, 0);
    } else if (wcscmp(cmd, L"about") == 0) {
        PostMessageW(capture, WM_SYSCOMMAND, kAboutCommand, 0);
    } else if (wcscmp(cmd, L"repaint") == 0) {
        RedrawWindow(capture, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    } else {
        return Usage();
    }
    return 0;
}
