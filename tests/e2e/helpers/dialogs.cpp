// Finds the dialogs a capture opens above itself (the save dialog, the message boxes) for the end-to-end
// runner, so that a scenario can point real X input at them and read what they say.
//
//   dialogs.exe list                 print every visible top-level window: handle, class, rect, owner, title
//   dialogs.exe wait-save MS         wait until the save dialog is shown; print
//                                    "save: present X Y W H name CX CY cancel CX CY type CX CY" (centres of
//                                    its file name field, its cancel button and its file type list)
//   dialogs.exe save-gone MS         wait until no save dialog is shown
//   dialogs.exe wait-message TITLE MS  wait until a message box titled TITLE is shown; print
//                                    "message: present X Y W H ok CX CY" and then its text, one line each
//   dialogs.exe message-gone TITLE MS  wait until no message box titled TITLE is shown
//   dialogs.exe wait-prompt MS       wait until the save dialog asks a question of its own (a message box it
//                                    owns, e.g. whether to replace a file); print
//                                    "prompt: present X Y W H yes CX CY" and then its text
//   dialogs.exe others               print how many visible dialogs other than the capture window exist
//
// Exit status: 0 when the wait ended as asked, 1 when not, 2 on bad usage.
// The capture window is the visible dialog (class "#32770") whose window rectangle is the virtual screen;
// the save dialog is a visible dialog owned by it that has a file name field (an edit control, alone or
// inside a combo box) and is not a message box.
#include <windows.h>

#include <dlgs.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

namespace {

std::string Utf8(const std::wstring& text) {
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n - 1 : 0, '\0');
    if (n > 1) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &out[0], n, nullptr, nullptr);
    return out;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t cls[128] = {};
    GetClassNameW(hwnd, cls, 128);
    return cls;
}

std::wstring TextOf(HWND hwnd) {
    wchar_t text[1024] = {};
    GetWindowTextW(hwnd, text, 1024);
    return text;
}

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> all;
    EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
            if (IsWindowVisible(hwnd)) reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    return all;
}

bool IsCapture(HWND hwnd) {
    RECT rc, want;
    want.left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    want.top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    want.right = want.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    want.bottom = want.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    GetWindowRect(hwnd, &rc);
    return ClassOf(hwnd) == L"#32770" && EqualRect(&rc, &want);
}

HWND Capture() {
    for (HWND hwnd : TopLevelWindows())
        if (IsCapture(hwnd)) return hwnd;
    return nullptr;
}

// The file name field of a save dialog: the first visible edit control, or the edit inside the first
// visible combo box that has one, searched through all descendants.
HWND FileNameField(HWND dialog) {
    struct Found {
        HWND edit;
    } found = {nullptr};
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM lp) -> BOOL {
            auto* f = reinterpret_cast<Found*>(lp);
            if (!IsWindowVisible(child)) return TRUE;
            const std::wstring cls = ClassOf(child);
            if (cls == L"Edit") {
                f->edit = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found.edit;
}

bool IsMessageBox(HWND hwnd) {
    // A message box has a static text with the id 0xFFFF and no edit control.
    return GetDlgItem(hwnd, 0xFFFF) != nullptr && !FileNameField(hwnd);
}

HWND SaveDialog() {
    HWND capture = Capture();
    for (HWND hwnd : TopLevelWindows()) {
        if (hwnd == capture || ClassOf(hwnd) != L"#32770" || IsMessageBox(hwnd)) continue;
        if (capture && GetWindow(hwnd, GW_OWNER) != capture) continue;
        if (FileNameField(hwnd)) return hwnd;
    }
    return nullptr;
}

HWND MessageBoxTitled(const std::wstring& title) {
    for (HWND hwnd : TopLevelWindows())
        if (ClassOf(hwnd) == L"#32770" && TextOf(hwnd) == title && IsMessageBox(hwnd)) return hwnd;
    return nullptr;
}

template <typename Find>
HWND Poll(Find find, bool wantPresent, DWORD ms) {
    DWORD start = GetTickCount();
    for (;;) {
        HWND hwnd = find();
        if ((hwnd != nullptr) == wantPresent || GetTickCount() - start >= ms) return hwnd;
        Sleep(50);
    }
}

POINT Centre(HWND hwnd) {
    RECT rc = {-1, -1, -1, -1};
    if (hwnd) GetWindowRect(hwnd, &rc);
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

HWND PromptOfSaveDialog() {
    HWND save = SaveDialog();
    if (!save) return nullptr;
    for (HWND hwnd : TopLevelWindows())
        if (ClassOf(hwnd) == L"#32770" && GetWindow(hwnd, GW_OWNER) == save && IsMessageBox(hwnd)) return hwnd;
    return nullptr;
}

// "WHAT: present X Y W H" and then "PART CX CY" for each named child (-1 -1 when it is missing).
void PrintWindow(const char* what, HWND hwnd, std::vector<std::pair<const char*, HWND>> parts) {
    RECT rc;
    GetWindowRect(hwnd, &rc);
    printf("%s: present %ld %ld %ld %ld", what, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    for (const auto& part : parts) {
        POINT c = Centre(part.second);
        printf(" %s %ld %ld", part.first, c.x, c.y);
    }
    printf("\n");
}

int List() {
    HWND capture = Capture();
    for (HWND hwnd : TopLevelWindows()) {
        RECT rc;
        GetWindowRect(hwnd, &rc);
        printf("%p %s %ld %ld %ld %ld owner %p%s \"%s\"\n", static_cast<void*>(hwnd), Utf8(ClassOf(hwnd)).c_str(),
               rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
               static_cast<void*>(GetWindow(hwnd, GW_OWNER)), hwnd == capture ? " capture" : "",
               Utf8(TextOf(hwnd)).c_str());
        EnumChildWindows(
            hwnd,
            [](HWND child, LPARAM) -> BOOL {
                RECT r;
                GetWindowRect(child, &r);
                printf("    %p %s id %d %ld %ld %ld %ld%s \"%s\"\n", static_cast<void*>(child),
                       Utf8(ClassOf(child)).c_str(), GetDlgCtrlID(child), r.left, r.top, r.right - r.left,
                       r.bottom - r.top, IsWindowVisible(child) ? "" : " hidden", Utf8(TextOf(child)).c_str());
                return TRUE;
            },
            0);
    }
    return 0;
}

int Usage() {
    fprintf(stderr, "usage: dialogs list | wait-save MS | save-gone MS | wait-message TITLE MS | "
                    "message-gone TITLE MS | wait-prompt MS | others\n");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // Plain \n line ends: the runner reads this output with shell tools.
    _setmode(_fileno(stdout), _O_BINARY);
    SetProcessDPIAware();
    if (argc < 2) return Usage();
    const std::wstring cmd = argv[1];

    if (cmd == L"list" && argc == 2) return List();
    if (cmd == L"wait-save" && argc == 3) {
        HWND hwnd = Poll(SaveDialog, true, static_cast<DWORD>(_wtoi(argv[2])));
        if (!hwnd) {
            printf("save: absent\n");
            return 1;
        }
        PrintWindow("save", hwnd,
                    {{"name", FileNameField(hwnd)}, {"cancel", GetDlgItem(hwnd, IDCANCEL)}, {"type", GetDlgItem(hwnd, cmb1)}});
        return 0;
    }
    if (cmd == L"save-gone" && argc == 3) {
        HWND hwnd = Poll(SaveDialog, false, static_cast<DWORD>(_wtoi(argv[2])));
        printf("save: %s\n", hwnd ? "still present" : "gone");
        return hwnd ? 1 : 0;
    }
    if ((cmd == L"wait-message" || cmd == L"message-gone") && argc == 4) {
        const std::wstring title = argv[2];
        const bool wantPresent = cmd == L"wait-message";
        HWND hwnd = Poll([&] { return MessageBoxTitled(title); }, wantPresent, static_cast<DWORD>(_wtoi(argv[3])));
        if (!wantPresent) {
            printf("message: %s\n", hwnd ? "still present" : "gone");
            return hwnd ? 1 : 0;
        }
        if (!hwnd) {
            printf("message: absent\n");
            return 1;
        }
        PrintWindow("message", hwnd, {{"ok", GetDlgItem(hwnd, IDOK)}});
        printf("%s\n", Utf8(TextOf(GetDlgItem(hwnd, 0xFFFF))).c_str());
        return 0;
    }
    if (cmd == L"wait-prompt" && argc == 3) {
        HWND hwnd = Poll(PromptOfSaveDialog, true, static_cast<DWORD>(_wtoi(argv[2])));
        if (!hwnd) {
            printf("prompt: absent\n");
            return 1;
        }
        PrintWindow("prompt", hwnd, {{"yes", GetDlgItem(hwnd, IDYES)}});
        printf("%s\n", Utf8(TextOf(GetDlgItem(hwnd, 0xFFFF))).c_str());
        return 0;
    }
    if (cmd == L"others" && argc == 2) {
        HWND capture = Capture();
        int n = 0;
        for (HWND hwnd : TopLevelWindows())
            if (hwnd != capture && ClassOf(hwnd) == L"#32770") ++n;
        printf("%d\n", n);
        return 0;
    }
    return Usage();
}
