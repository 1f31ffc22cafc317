// The libraries the program loads at their first use (cmake/DelayImport.cmake): when one cannot be
// loaded then, or lacks a function, the program says which and ends with exit code 2. Going on would end
// in a crash at the call; the capture has produced nothing yet, so nothing is lost.
#include <windows.h>

#include <delayimp.h>

namespace {
const wchar_t kTitle[] = L"Corvane";
constexpr UINT kExitLibraryMissing = 2;

FARPROC WINAPI OnDelayLoadFailure(unsigned notify, PDelayLoadInfo info) {
    wchar_t dll[MAX_PATH] = L"?";
    if (info && info->szDll) ::MultiByteToWideChar(CP_ACP, 0, info->szDll, -1, dll, MAX_PATH);
    wchar_t text[MAX_PATH + 64];
    if (notify == dliFailLoadLib) {
        ::wsprintfW(text, L"无法加载 %s，截图无法继续。", dll);
    } else {
        ::wsprintfW(text, L"%s 缺少所需的函数，截图无法继续。", dll);
    }
    ::MessageBoxW(nullptr, text, kTitle, MB_OK | MB_ICONERROR | MB_SETFOREGROUND | MB_TOPMOST);
    ::ExitProcess(kExitLibraryMissing);
}
}  // namespace

// Declared with C linkage by <delayimp.h>; the build keeps this definition in every program (the
// runtime library holds an empty default).
PfnDliHook __pfnDliFailureHook2 = OnDelayLoadFailure;
