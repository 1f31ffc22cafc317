// Choice of the image file format from the name picked in the save dialog, and the name actually
// written when that name's extension is not one of the formats we write.
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

// True when the normalised extension names a format we write (png, bmp, jpg, jpeg, jpe).
bool IsImageExtension(const std::wstring& normalisedExt);

struct SaveTarget {
    ImageFileFormat format = ImageFileFormat::Png;
    std::wstring path;            // the file to write
    bool extensionAdded = false;  // ".png" was appended to the chosen name
};

// What to write for the path confirmed in the save dialog. A name with one of our extensions, or
// with none, is written as chosen. A name with any other extension (shot.gif, shot.txt) is written as
// PNG under the chosen name plus ".png", so that the file's name does not claim a format its content
// is not in. When extensionAdded is set the dialog's overwrite prompt did not cover the new name.
SaveTarget SaveTargetForPath(const std::wstring& path);

// MIME type of the format, as the image encoders list it ("image/png", "image/bmp", "image/jpeg").
const wchar_t* MimeTypeFor(ImageFileFormat format);

}  // namespace output
