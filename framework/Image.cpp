// GDI+ encoding of a bitmap handle.
#include "framework/Image.h"

#include <gdiplus.h>

#include <memory>
#include <vector>

const GUID kImageFormatBMP = {0xB96B3CAB, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
const GUID kImageFormatJPEG = {0xB96B3CAE, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
const GUID kImageFormatPNG = {0xB96B3CAF, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

namespace {

HRESULT HresultFromStatus(Gdiplus::Status status) {
    switch (status) {
    case Gdiplus::Ok:
        return S_OK;
    case Gdiplus::Win32Error: {
        const DWORD err = ::GetLastError();
        return err ? HRESULT_FROM_WIN32(err) : E_FAIL;
    }
    case Gdiplus::OutOfMemory:
        return E_OUTOFMEMORY;
    case Gdiplus::InvalidParameter:
        return E_INVALIDARG;
    case Gdiplus::FileNotFound:
        return HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
    case Gdiplus::AccessDenied:
        return E_ACCESSDENIED;
    case Gdiplus::UnknownImageFormat:
        return HRESULT_FROM_WIN32(ERROR_NOT_SUPPORTED);
    default:
        return E_FAIL;
    }
}

}  // namespace

void CImage::Attach(HBITMAP hBitmap, int) { m_hBitmap = hBitmap; }

HBITMAP CImage::Detach() {
    HBITMAP h = m_hBitmap;
    m_hBitmap = nullptr;
    return h;
}

HRESULT CImage::Save(const std::wstring& path, const GUID& guidFileType) const {
    if (!m_hBitmap) return E_UNEXPECTED;
    UINT count = 0, bytes = 0;
    Gdiplus::GetImageEncodersSize(&count, &bytes);
    if (count == 0 || bytes == 0) return HRESULT_FROM_WIN32(ERROR_NOT_SUPPORTED);
    std::vector<BYTE> buffer(bytes);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, bytes, encoders) != Gdiplus::Ok) return E_FAIL;
    const Gdiplus::ImageCodecInfo* encoder = nullptr;
    for (UINT i = 0; i < count && !encoder; ++i) {
        if (::IsEqualGUID(encoders[i].FormatID, guidFileType)) encoder = &encoders[i];
    }
    if (!encoder) return HRESULT_FROM_WIN32(ERROR_NOT_SUPPORTED);

    std::unique_ptr<Gdiplus::Bitmap> bitmap(Gdiplus::Bitmap::FromHBITMAP(m_hBitmap, nullptr));
    if (!bitmap || bitmap->GetLastStatus() != Gdiplus::Ok) return E_FAIL;
    ::SetLastError(0);
    return HresultFromStatus(bitmap->Save(path.c_str(), &encoder->Clsid, nullptr));
}
