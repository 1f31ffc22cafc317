// Extension-to-format map for saving the result image.
#include "output/logic/ImageFormat.h"

namespace output {

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// White space a typed name may carry around its extension; includes the no-break and the
// ideographic space, which a Chinese input method produces easily.
bool IsWhite(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\v' || c == L'\f' || c == L'\x00A0' ||
           c == L'\x3000';
}

std::wstring Trim(const std::wstring& s) {
    size_t begin = 0;
    size_t end = s.size();
    while (begin < end && IsWhite(s[begin])) ++begin;
    while (end > begin && IsWhite(s[end - 1])) --end;
    return s.substr(begin, end - begin);
}

std::wstring AsciiLower(std::wstring s) {
    for (wchar_t& c : s) {
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    return s;
}

// Length of the path once the trailing dots and spaces of its last component are gone: the file
// system creates "shot.bmp. " as "shot.bmp", so the format must follow that name.
size_t EffectiveLength(const std::wstring& path) {
    size_t end = path.size();
    while (end > 0 && (path[end - 1] == L'.' || path[end - 1] == L' ')) --end;
    return end;
}

ImageFileFormat FormatForNormalised(const std::wstring& ext) {
    if (ext == L"bmp") return ImageFileFormat::Bmp;
    if (ext == L"jpg" || ext == L"jpeg" || ext == L"jpe") return ImageFileFormat::Jpeg;
    return ImageFileFormat::Png;
}

}  // namespace

std::wstring NormalisedExtension(const std::wstring& path) {
    const size_t end = EffectiveLength(path);
    for (size_t i = end; i > 0; --i) {
        const wchar_t c = path[i - 1];
        if (IsSeparator(c)) break;
        if (c == L'.') return AsciiLower(Trim(path.substr(i, end - i)));
    }
    return std::wstring();
}

ImageFileFormat ImageFormatForExtension(const std::wstring& nameOrExt) {
    const bool isName = nameOrExt.find_first_of(L"./\\") != std::wstring::npos;
    const std::wstring ext = isName ? NormalisedExtension(nameOrExt) : AsciiLower(Trim(nameOrExt));
    return FormatForNormalised(ext);
}

}  // namespace output
