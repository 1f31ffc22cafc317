// The pointer window: its picture decoded once from the program's resources and handed to the window
// manager as a layered window with per-pixel alpha.
#include "palette/PointerWindow.h"

#include <objidl.h>
#include <gdiplus.h>

#include "framework/GdiplusSession.h"
#include "framework/GlobalBlock.h"

namespace {
// The picture is drawn at half its size.
constexpr int kWidth = 20;
constexpr int kHeight = 10;
}  // namespace

CPointerWindow::CPointerWindow() : CPopupWindow(IDD_POPUP) {}

// Here, where the picture's type is complete.
CPointerWindow::~CPointerWindow() = default;

std::unique_ptr<Gdiplus::Image> CPointerWindow::LoadPngResource(UINT nId) {
    if (!AfxStartGdiplus()) return nullptr;
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRes = ::FindResourceW(hInst, MAKEINTRESOURCEW(nId), L"PNG");
    if (!hRes) return nullptr;
    const DWORD size = ::SizeofResource(hInst, hRes);
    HGLOBAL hData = ::LoadResource(hInst, hRes);
    const void* bytes = hData ? ::LockResource(hData) : nullptr;
    if (!bytes || size == 0) return nullptr;

    HGLOBAL hBlock = AfxCopyToGlobal(bytes, size);
    if (!hBlock) return nullptr;
    // The stream owns the block: it lives as long as the stream, which the image keeps while it needs it.
    IStream* stream = nullptr;
    if (FAILED(::CreateStreamOnHGlobal(hBlock, TRUE, &stream))) {
        ::GlobalFree(hBlock);
        return nullptr;
    }
    auto image = std::make_unique<Gdiplus::Image>(stream, FALSE);
    stream->Release();
    if (image->GetLastStatus() != Gdiplus::Ok) return nullptr;
    return image;
}

BOOL CPointerWindow::OnInitDialog() {
    CPopupWindow::OnInitDialog();
    m_pImage = LoadPngResource(IDR_PNG_POINTER);
    // Never activated and never hit by the mouse: the keyboard and the clicks stay with the capture.
    AddExStyle(WS_EX_NOACTIVATE | WS_EX_TRANSPARENT);

    CClientDC dcClient(this);
    CDC dcMem;
    dcMem.CreateCompatibleDC(&dcClient);
    // A 32-bit surface that keeps the picture's alpha, premultiplied as the per-pixel blend expects.
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = kWidth;
    bi.bmiHeader.biHeight = -kHeight;  // top-down, like the GDI+ surface over it
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    CBitmap bmp;
    bmp.Attach(::CreateDIBSection(dcClient, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (m_pImage && bits) {
        CSelectScope selectBitmap(&dcMem, &bmp);
        {
            Gdiplus::Bitmap surface(kWidth, kHeight, kWidth * 4, PixelFormat32bppPARGB, static_cast<BYTE*>(bits));
            Gdiplus::Graphics graphics(&surface);
            graphics.Clear(Gdiplus::Color(0, 0, 0, 0));
            const Gdiplus::Point corners[3] = {{0, 0}, {kWidth, 0}, {0, kHeight}};
            graphics.DrawImage(m_pImage.get(), corners, 3);
        }
        RECT rcWindow;
        GetWindowRect(&rcWindow);
        POINT ptDst = {rcWindow.left, rcWindow.top};
        SIZE size = {kWidth, kHeight};
        POINT ptSrc = {0, 0};
        AddExStyle(WS_EX_LAYERED);
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};  // the picture's own alpha, premultiplied
        ::UpdateLayeredWindow(m_hWnd, dcMem, &ptDst, &size, dcMem, &ptSrc, 0, &blend, ULW_ALPHA);
    }
    return TRUE;
}
