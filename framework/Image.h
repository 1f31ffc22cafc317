// CImage: saves a bitmap it does not own through the GDI+ image encoders.
#pragma once

#include <string>

#include <windows.h>
#include <objidl.h>

constexpr int DIBOR_DEFAULT = 0;

class CImage {
public:
    CImage() = default;
    ~CImage() { Detach(); }
    CImage(const CImage&) = delete;
    CImage& operator=(const CImage&) = delete;

    // Wraps the bitmap without copying it and without taking it over.
    void Attach(HBITMAP hBitmap, int eOrientation = DIBOR_DEFAULT);
    HBITMAP Detach();
    // Writes the image with the first encoder of the given format (ImageFormatPNG, ImageFormatBMP,
    // ImageFormatJPEG ...) and that encoder's default options. S_OK, or why it failed. A file already at
    // path is replaced only by a complete new one; when the save fails it stays as it was.
    HRESULT Save(const std::wstring& path, const GUID& guidFileType) const;
    // The same encoding written to pStream from its current position on; S_OK, or why it failed.
    HRESULT Save(IStream* pStream, const GUID& guidFileType) const;

private:
    HBITMAP m_hBitmap = nullptr;
};

// GDI+ file format identifiers.
extern const GUID kImageFormatBMP;
extern const GUID kImageFormatJPEG;
extern const GUID kImageFormatPNG;
