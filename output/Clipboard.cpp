// Hands the result image to the clipboard.
#include "output/Output.h"

#include <cstring>

namespace output {

bool PlaceOnClipboard(CBitmap* pImage, HWND owner) {
    if (!::OpenClipboard(owner)) return false;
    ::EmptyClipboard();
    const bool placed = ::SetClipboardData(CF_BITMAP, pImage->GetSafeHandle()) != nullptr;
    // From here on the bitmap belongs to the system.
    if (placed) pImage->Detach();
    ::CloseClipboard();
    return placed;
}

bool PlaceTextOnClipboard(const std::wstring& text, HWND owner) {
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!block) return false;
    void* to = ::GlobalLock(block);
    if (!to) {
        ::GlobalFree(block);
        return false;
    }
    ::memcpy(to, text.c_str(), bytes);
    ::GlobalUnlock(block);
    if (!::OpenClipboard(owner)) {
        ::GlobalFree(block);
        return false;
    }
    ::EmptyClipboard();
    const bool placed = ::SetClipboardData(CF_UNICODETEXT, block) != nullptr;
    ::CloseClipboard();
    // Placed, the block belongs to the system.
    if (!placed) ::GlobalFree(block);
    return placed;
}

}  // namespace output
