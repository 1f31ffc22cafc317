// Saves the result image to a file named in the save dialog, in the format its extension names.
#include "output/Output.h"

#include "framework/FileDialog.h"
#include "framework/Image.h"
#include "output/logic/ImageFormat.h"

namespace {

const wchar_t kSaveFilter[] = L"PNG 图片格式 (*.png)|*.png|BMP 图片格式 (*.bmp)|*.bmp|JPG 图片格式 (*.jpg)|*.jpg||";

const GUID& EncoderFormat(output::ImageFileFormat format) {
    switch (format) {
    case output::ImageFileFormat::Bmp:
        return kImageFormatBMP;
    case output::ImageFileFormat::Jpeg:
        return kImageFormatJPEG;
    case output::ImageFileFormat::Png:
        break;
    }
    return kImageFormatPNG;
}

// The platform's own words for a failure.
std::wstring ReasonText(HRESULT hr) {
    if (hr == HRESULT_FROM_WIN32(ERROR_NOT_SUPPORTED)) return L"没有可用的图像编码器。";
    wchar_t* text = nullptr;
    const DWORD n = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                         FORMAT_MESSAGE_IGNORE_INSERTS,
                                     nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    std::wstring reason;
    if (n) {
        reason.assign(text, n);
    } else {
        wchar_t code[32];
        wsprintfW(code, L"错误代码 0x%08X", static_cast<unsigned>(hr));
        reason = code;
    }
    if (text) ::LocalFree(text);
    while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r')) reason.pop_back();
    return reason;
}

}  // namespace

namespace output {

HRESULT WriteImageFile(const CBitmap& image, const std::wstring& path, const std::wstring& ext) {
    CImage file;
    file.Attach(image, DIBOR_DEFAULT);
    const HRESULT hr = file.Save(path, EncoderFormat(ImageFormatForExtension(ext)));
    file.Detach();
    return hr;
}

bool SaveWithDialog(const CBitmap& image, HWND owner) {
    CFileDialog dialog(FALSE, L"png", L"未命名", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kSaveFilter);
    if (dialog.DoModal() != IDOK) return false;
    const std::wstring path = dialog.GetPathName();
    const HRESULT hr = WriteImageFile(image, path, dialog.GetFileExt());
    if (FAILED(hr)) {
        const std::wstring message = L"无法保存图片到：\n" + path + L"\n\n" + ReasonText(hr);
        ::MessageBoxW(owner, message.c_str(), L"保存失败", MB_OK | MB_ICONERROR);
    }
    return SUCCEEDED(hr);
}

}  // namespace output
