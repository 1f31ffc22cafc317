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

// Writes the whole content of stream to a new file at path (replacing one that is there).
HRESULT WriteStreamToFile(IStream* stream, const std::wstring& path) {
    HGLOBAL memory = nullptr;
    STATSTG stat = {};
    if (FAILED(::GetHGlobalFromStream(stream, &memory)) || FAILED(stream->Stat(&stat, STATFLAG_NONAME))) return E_FAIL;
    const DWORD size = static_cast<DWORD>(stat.cbSize.QuadPart);

    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return HRESULT_FROM_WIN32(::GetLastError());
    const void* bytes = ::GlobalLock(memory);
    DWORD written = 0;
    BOOL ok = ::WriteFile(file, bytes, size, &written, nullptr) && written == size;
    DWORD err = ok ? ERROR_SUCCESS : ::GetLastError();
    ::GlobalUnlock(memory);
    if (!::CloseHandle(file) && ok) {
        ok = FALSE;
        err = ::GetLastError();
    }
    if (ok) return S_OK;
    ::DeleteFileW(path.c_str());
    return err ? HRESULT_FROM_WIN32(err) : HRESULT_FROM_WIN32(ERROR_WRITE_FAULT);
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

    // Encoded in memory first and then written here, so that a failing write reports the file
    // system's own reason (access denied, disk full ...) and leaves no half-written image behind.
    IStream* stream = nullptr;
    if (FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &stream))) return E_OUTOFMEMORY;
    ::SetLastError(0);
    HRESULT hr = HresultFromStatus(bitmap->Save(stream, &encoder->Clsid, nullptr));
    if (SUCCEEDED(hr)) hr = WriteStreamToFile(stream, path);
    stream->Release();
    return hr;
}
