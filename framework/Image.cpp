// GDI+ encoding of a bitmap handle.
#include "framework/Image.h"

#include <gdiplus.h>

#include <memory>
#include <vector>

#include "framework/GdiplusSession.h"

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

// The error of the last failed call, as an HRESULT; fallback when the call left no code.
HRESULT LastErrorOr(DWORD fallback) {
    const DWORD err = ::GetLastError();
    return HRESULT_FROM_WIN32(err ? err : fallback);
}

// Creates a new, empty file for the image beside path, in the same folder, so that it can later take
// path's place by a rename on the same volume. A name that happens to be taken is passed over.
HANDLE CreateSiblingTempFile(const std::wstring& path, std::wstring* tempPath) {
    const size_t slash = path.find_last_of(L"\\/:");  // "C:shot.png" lies in C:'s current folder
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
    const DWORD seed = ::GetTickCount() ^ (::GetCurrentProcessId() << 16);
    for (DWORD attempt = 0; attempt < 100; ++attempt) {
        wchar_t name[32];
        wsprintfW(name, L"~corvane-%08lx.tmp", static_cast<unsigned long>(seed + attempt));
        *tempPath = folder + name;
        HANDLE file = ::CreateFileW(tempPath->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                    nullptr);
        if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return INVALID_HANDLE_VALUE;
}

// Writes all of bytes to file, through as many writes as the file system needs.
HRESULT WriteAll(HANDLE file, const BYTE* bytes, DWORD size) {
    while (size > 0) {
        DWORD written = 0;
        if (!::WriteFile(file, bytes, size, &written, nullptr)) return LastErrorOr(ERROR_WRITE_FAULT);
        if (written == 0) return HRESULT_FROM_WIN32(ERROR_WRITE_FAULT);
        bytes += written;
        size -= written;
    }
    return ::FlushFileBuffers(file) ? S_OK : LastErrorOr(ERROR_WRITE_FAULT);
}

// Writes the whole content of stream to the file at path, replacing one that is there. The bytes go to
// a new file in the same folder first, which takes path's place only once it is complete: a write that
// fails (disk full, file too large ...) leaves a file that was there as it was, and no new file behind.
HRESULT WriteStreamToFile(IStream* stream, const std::wstring& path) {
    HGLOBAL memory = nullptr;
    STATSTG stat = {};
    if (FAILED(::GetHGlobalFromStream(stream, &memory)) || FAILED(stream->Stat(&stat, STATFLAG_NONAME))) return E_FAIL;
    const DWORD size = static_cast<DWORD>(stat.cbSize.QuadPart);

    std::wstring tempPath;
    HANDLE file = CreateSiblingTempFile(path, &tempPath);
    if (file == INVALID_HANDLE_VALUE) return LastErrorOr(ERROR_CANNOT_MAKE);
    const BYTE* bytes = static_cast<const BYTE*>(::GlobalLock(memory));
    HRESULT hr = bytes ? WriteAll(file, bytes, size) : E_OUTOFMEMORY;
    ::GlobalUnlock(memory);
    if (!::CloseHandle(file) && SUCCEEDED(hr)) hr = LastErrorOr(ERROR_WRITE_FAULT);
    if (SUCCEEDED(hr) && !::MoveFileExW(tempPath.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        hr = LastErrorOr(ERROR_WRITE_FAULT);
    }
    if (FAILED(hr)) ::DeleteFileW(tempPath.c_str());
    return hr;
}

}  // namespace

void CImage::Attach(HBITMAP hBitmap, int) { m_hBitmap = hBitmap; }

HBITMAP CImage::Detach() {
    HBITMAP h = m_hBitmap;
    m_hBitmap = nullptr;
    return h;
}

HRESULT CImage::Save(IStream* pStream, const GUID& guidFileType) const {
    if (!m_hBitmap || !pStream) return E_UNEXPECTED;
    if (!AfxStartGdiplus()) return E_FAIL;
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
    return HresultFromStatus(bitmap->Save(pStream, &encoder->Clsid, nullptr));
}

HRESULT CImage::Save(const std::wstring& path, const GUID& guidFileType) const {
    if (!m_hBitmap) return E_UNEXPECTED;
    // Encoded in memory first and then written here, so that a failing write reports the file
    // system's own reason (access denied, disk full ...) and leaves no half-written image behind.
    IStream* stream = nullptr;
    if (FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &stream))) return E_OUTOFMEMORY;
    HRESULT hr = Save(stream, guidFileType);
    if (SUCCEEDED(hr)) hr = WriteStreamToFile(stream, path);
    stream->Release();
    return hr;
}
