// Reads the live desktop window list into window records for CWindowFinder. Only the reading lives
// here; which windows become candidates is decided by the finder's own filters.
#include <windows.h>

#include "selection/logic/WindowFinder.h"

namespace {

// Long enough for any class name, and for every title worth showing.
constexpr int kTextChars = 260;

std::wstring ReadTitle(HWND hWnd) {
    wchar_t buf[kTextChars] = {};
    GetWindowTextW(hWnd, buf, kTextChars);
    return buf;
}

std::wstring ReadClassName(HWND hWnd) {
    wchar_t buf[kTextChars] = {};
    GetClassNameW(hWnd, buf, kTextChars);
    return buf;
}

// One record for hWnd; windows that vanished or are hidden come back marked invisible.
WindowRecord ReadRecord(HWND hWnd) {
    WindowRecord rec;
    rec.hWnd = hWnd;
    rec.bVisible = IsWindow(hWnd) && IsWindowVisible(hWnd);
    if (!rec.bVisible) return rec;  // dropped by the finder; its text is never needed
    rec.strTitle = ReadTitle(hWnd);
    rec.strClassName = ReadClassName(hWnd);
    GetWindowRect(hWnd, &rec.rcWindow);
    rec.dwExStyle = static_cast<DWORD>(GetWindowLongW(hWnd, GWL_EXSTYLE));
    return rec;
}

class CLiveWindowSource : public IWindowSource {
public:
    std::vector<WindowRecord> TopLevelWindows() const override {
        std::vector<WindowRecord> records;
        const HWND hWndDesktop = GetDesktopWindow();
        for (HWND hWnd = FindWindowExW(hWndDesktop, nullptr, nullptr, nullptr); hWnd != nullptr;
             hWnd = FindWindowExW(hWndDesktop, hWnd, nullptr, nullptr)) {
            records.push_back(ReadRecord(hWnd));
        }
        return records;
    }

    std::vector<WindowRecord> ChildWindows(HWND hWndParent) const override {
        std::vector<WindowRecord> records;
        for (HWND hWnd = GetWindow(hWndParent, GW_CHILD); hWnd != nullptr; hWnd = GetWindow(hWnd, GW_HWNDNEXT)) {
            records.push_back(ReadRecord(hWnd));
        }
        return records;
    }

    RECT VirtualScreen() const override {
        const int x = GetSystemMetrics(SM_XVIRTUALSCREEN);
        const int y = GetSystemMetrics(SM_YVIRTUALSCREEN);
        return RECT{x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN), y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    }
};

}  // namespace

void CWindowFinder::CollectWindows() {
    CollectWindows(CLiveWindowSource());
}
