// Reads and seeds the Wine clipboard for the end-to-end runner. The contents live in the Wine server,
// so they outlive this process as long as the runner keeps the server alive.
//
//   clipboard.exe set-text TEXT    empty the clipboard and put TEXT on it (CF_UNICODETEXT)
//   clipboard.exe show             print "text: <text or none>" and "bitmap: yes|no"
//   clipboard.exe save-bmp FILE    write the clipboard's device-independent bitmap to FILE (exit 1 if none)
//   clipboard.exe save-bitmap FILE write the clipboard's CF_BITMAP (the device-dependent bitmap a program
//                                  places) to FILE as a 24-bit BMP; prints "bitmap: W H" (exit 1 if none)
//   clipboard.exe save-png FILE    write the clipboard's "PNG" format, byte for byte, to FILE; prints
//                                  "png: BYTES" (exit 1 if none)
//   clipboard.exe hold MS          open the clipboard and keep it open for MS milliseconds, as another
//                                  program busy with it would; prints "holding" once it has it open
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {

bool OpenWithRetry() {
    for (int i = 0; i < 40; ++i) {
        if (OpenClipboard(nullptr)) return true;
        Sleep(50);
    }
    return false;
}

int SetText(const wchar_t* text) {
    if (!OpenWithRetry()) return 1;
    EmptyClipboard();
    size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(mem), text, bytes);
    GlobalUnlock(mem);
    bool ok = SetClipboardData(CF_UNICODETEXT, mem) != nullptr;
    CloseClipboard();
    return ok ? 0 : 1;
}

int Show() {
    if (!OpenWithRetry()) return 1;
    std::wstring text = L"none";
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        if (auto* p = static_cast<const wchar_t*>(GlobalLock(h))) {
            text = p;
            GlobalUnlock(h);
        }
    }
    bool bitmap = IsClipboardFormatAvailable(CF_BITMAP) || IsClipboardFormatAvailable(CF_DIB) ||
                  IsClipboardFormatAvailable(CF_DIBV5);
    CloseClipboard();
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(n > 0 ? n - 1 : 0, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &utf8[0], n, nullptr, nullptr);
    printf("text: %s\nbitmap: %s\n", utf8.c_str(), bitmap ? "yes" : "no");
    return 0;
}

int SaveBmp(const wchar_t* path) {
    if (!OpenWithRetry()) return 1;
    int rc = 1;
    if (HANDLE h = GetClipboardData(CF_DIB)) {
        SIZE_T size = GlobalSize(h);
        if (auto* bih = static_cast<const BITMAPINFOHEADER*>(GlobalLock(h))) {
            DWORD colours = bih->biClrUsed ? bih->biClrUsed : (bih->biBitCount <= 8 ? 1u << bih->biBitCount : 0);
            DWORD masks = bih->biCompression == BI_BITFIELDS && bih->biSize == sizeof(BITMAPINFOHEADER) ? 12 : 0;
            BITMAPFILEHEADER fh = {};
            fh.bfType = 0x4D42;
            fh.bfOffBits = sizeof(fh) + bih->biSize + masks + colours * sizeof(RGBQUAD);
            fh.bfSize = static_cast<DWORD>(sizeof(fh) + size);
            if (FILE* f = _wfopen(path, L"wb")) {
                fwrite(&fh, sizeof(fh), 1, f);
                fwrite(bih, 1, size, f);
                rc = fclose(f) == 0 ? 0 : 1;
            }
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return rc;
}

// Reads the bitmap through GetDIBits as 24-bit rows, the same layout the reference picture has, so the
// file compares with it (and with the saved files) pixel for pixel whatever the display's format.
int SaveBitmap(const wchar_t* path) {
    if (!OpenWithRetry()) return 1;
    int rc = 1;
    HBITMAP bmp = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    BITMAP info = {};
    if (bmp && GetObjectW(bmp, sizeof(info), &info) == sizeof(info) && info.bmWidth > 0 && info.bmHeight > 0) {
        const int stride = (info.bmWidth * 3 + 3) & ~3;
        BITMAPINFOHEADER ih = {};
        ih.biSize = sizeof(ih);
        ih.biWidth = info.bmWidth;
        ih.biHeight = info.bmHeight;  // bottom-up, as BMP files store it
        ih.biPlanes = 1;
        ih.biBitCount = 24;
        ih.biCompression = BI_RGB;
        ih.biSizeImage = static_cast<DWORD>(stride) * info.bmHeight;
        std::vector<BYTE> pixels(ih.biSizeImage);
        HDC dc = GetDC(nullptr);
        // The clipboard's bitmap may not be selected into any context while GetDIBits reads it; it is not.
        const int lines = GetDIBits(dc, bmp, 0, info.bmHeight, pixels.data(),
                                    reinterpret_cast<BITMAPINFO*>(&ih), DIB_RGB_COLORS);
        ReleaseDC(nullptr, dc);
        if (lines == info.bmHeight) {
            BITMAPFILEHEADER fh = {};
            fh.bfType = 0x4D42;
            fh.bfOffBits = sizeof(fh) + sizeof(ih);
            fh.bfSize = fh.bfOffBits + ih.biSizeImage;
            if (FILE* f = _wfopen(path, L"wb")) {
                fwrite(&fh, sizeof(fh), 1, f);
                fwrite(&ih, sizeof(ih), 1, f);
                fwrite(pixels.data(), 1, pixels.size(), f);
                rc = fclose(f) == 0 ? 0 : 1;
            }
            if (rc == 0) printf("bitmap: %ld %ld\n", info.bmWidth, info.bmHeight);
        }
    }
    CloseClipboard();
    return rc;
}

// The bytes as they are on the clipboard, so that the runner checks the very file a program pasting it gets.
int SavePng(const wchar_t* path) {
    if (!OpenWithRetry()) return 1;
    int rc = 1;
    const UINT format = RegisterClipboardFormatW(L"PNG");
    if (HANDLE h = format ? GetClipboardData(format) : nullptr) {
        const SIZE_T size = GlobalSize(h);
        if (const void* bytes = GlobalLock(h)) {
            if (FILE* f = _wfopen(path, L"wb")) {
                const bool written = fwrite(bytes, 1, size, f) == size;
                rc = fclose(f) == 0 && written ? 0 : 1;
            }
            GlobalUnlock(h);
        }
        if (rc == 0) printf("png: %lu\n", static_cast<unsigned long>(size));
    }
    CloseClipboard();
    return rc;
}

// Keeps the clipboard open, as a program in the middle of reading or writing it does. The window makes the
// hold explicit (OpenClipboard with a window as its holder); the process ends normally, closing it.
int Hold(DWORD ms) {
    HWND owner = CreateWindowExW(0, L"STATIC", L"corvane-e2e-clipboard-holder", WS_POPUP, 0, 0, 1, 1, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    bool open = false;
    for (int i = 0; i < 40 && !open; ++i) {
        open = OpenClipboard(owner) != FALSE;
        if (!open) Sleep(50);
    }
    if (!open) return 1;
    printf("holding\n");
    fflush(stdout);
    Sleep(ms);
    CloseClipboard();
    DestroyWindow(owner);
    printf("released\n");
    fflush(stdout);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // Plain \n line ends: the runner reads this output with shell tools.
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc == 3 && wcscmp(argv[1], L"set-text") == 0) return SetText(argv[2]);
    if (argc == 2 && wcscmp(argv[1], L"show") == 0) return Show();
    if (argc == 3 && wcscmp(argv[1], L"save-bmp") == 0) return SaveBmp(argv[2]);
    if (argc == 3 && wcscmp(argv[1], L"save-bitmap") == 0) return SaveBitmap(argv[2]);
    if (argc == 3 && wcscmp(argv[1], L"save-png") == 0) return SavePng(argv[2]);
    if (argc == 3 && wcscmp(argv[1], L"hold") == 0) return Hold(static_cast<DWORD>(_wtoi(argv[2])));
    fprintf(stderr, "usage: clipboard set-text TEXT | show | save-bmp FILE | save-bitmap FILE | save-png FILE | hold MS\n");
    return 2;
}
