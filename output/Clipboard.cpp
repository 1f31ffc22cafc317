// Hands the result image to the clipboard: the bitmap, and beside it the same pixels as a PNG for the
// programs that read that format first (and keep an alpha channel or paste it as a file).
#include "output/Output.h"

#include "framework/GlobalBlock.h"
#include "framework/Image.h"

namespace output {

namespace {

// The image encoded as PNG in a movable global block of exactly its size, as the clipboard takes it;
// null when it cannot be made (no GDI+, no memory). The caller owns the block.
HGLOBAL EncodePng(const CBitmap& image) {
    IStream* stream = nullptr;
    if (FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &stream))) return nullptr;
    CImage encoder;
    encoder.Attach(image);
    HGLOBAL png = nullptr;
    HGLOBAL encoded = nullptr;
    STATSTG stat = {};
    if (SUCCEEDED(encoder.Save(stream, kImageFormatPNG)) && SUCCEEDED(::GetHGlobalFromStream(stream, &encoded)) &&
        SUCCEEDED(stream->Stat(&stat, STATFLAG_NONAME)) && stat.cbSize.QuadPart > 0) {
        // The stream's block grows in steps and may be longer than the PNG: a copy of the exact size,
        // so that a reader taking the block's size as the file's finds nothing after the image's end.
        if (const void* from = ::GlobalLock(encoded)) {
            png = AfxCopyToGlobal(from, static_cast<SIZE_T>(stat.cbSize.QuadPart));
            ::GlobalUnlock(encoded);
        }
    }
    encoder.Detach();
    stream->Release();
    return png;
}

}  // namespace

bool PlaceOnClipboard(CBitmap* pImage, HWND owner) {
    // Encoded before the clipboard is opened, so that other programs wait on it no longer than before.
    HGLOBAL png = EncodePng(*pImage);
    if (!::OpenClipboard(owner)) {
        if (png) ::GlobalFree(png);
        return false;
    }
    ::EmptyClipboard();
    const bool placed = ::SetClipboardData(CF_BITMAP, pImage->GetSafeHandle()) != nullptr;
    // From here on the bitmap belongs to the system.
    if (placed) pImage->Detach();
    // The PNG goes only beside the bitmap: a copy the caller is told failed leaves no half of it behind.
    // A block the clipboard takes is the system's from then on; one it refuses is still ours to free.
    const UINT pngFormat = ::RegisterClipboardFormatW(L"PNG");
    if (png && !(placed && pngFormat && ::SetClipboardData(pngFormat, png))) ::GlobalFree(png);
    ::CloseClipboard();
    return placed;
}

bool PlaceTextOnClipboard(const std::wstring& text, HWND owner) {
    HGLOBAL block = AfxCopyToGlobal(text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    if (!block) return false;
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
