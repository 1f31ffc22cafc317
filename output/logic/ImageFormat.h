// Choice of the image file format from the name picked in the save dialog. The name itself is written
// as the user chose it.
#pragma once

#include <string>

namespace output {

enum class ImageFileFormat { Png, Bmp, Jpeg };

// The final extension of a file name or path, normalised: the text after the last dot of the last
// path component (after dropping the trailing dots and spaces the file system drops), trimmed of
// white space at both ends, ASCII letters in lower case; "" when the name has none.
std::wstring NormalisedExtension(const std::wstring& path);

// Format for an extension ("bmp", ".JPG", " jpeg ") or for a file name or path, which is recognised by
// containing a dot or a path separator: bmp gives BMP; jpg, jpeg and jpe give JPEG; png, no extension
// and any other extension give PNG.
ImageFileFormat ImageFormatForExtension(const std::wstring& nameOrExt);

}  // namespace output
