// Hands the result image to the clipboard.
#include "output/Output.h"

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

}  // namespace output
