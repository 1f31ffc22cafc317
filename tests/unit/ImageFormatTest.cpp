// File format chosen from the save dialog's name.
#include <gtest/gtest.h>

#include "output/logic/ImageFormat.h"

using namespace output;
using F = ImageFileFormat;

TEST(ImageFormat, ForExtensionOrName) {
    struct Case { const wchar_t* in; F want; };
    const Case cases[] = {
        // Bare extensions, as the dialog's extension getter returns them.
        {L"bmp", F::Bmp}, {L"BMP", F::Bmp}, {L".bmp", F::Bmp}, {L" bmp ", F::Bmp},
        {L"jpg", F::Jpeg}, {L"JPG", F::Jpeg}, {L"jpeg", F::Jpeg}, {L"Jpeg", F::Jpeg}, {L"jpe", F::Jpeg},
        {L"\tjpg\r\n", F::Jpeg}, {L"png", F::Png}, {L"gif", F::Png}, {L"", F::Png}, {L"   ", F::Png},
        {L"jp g", F::Png},
        // Names and paths: the final extension counts.
        {L"shot.BMP", F::Bmp}, {L"shot.Jpg", F::Jpeg}, {L"shot.jpeg", F::Jpeg}, {L"shot.png", F::Png},
        {L"shot.gif", F::Png}, {L"C:\\tmp\\shot", F::Png}, {L"C:\\tmp\\bmp", F::Png},
        {L"C:\\pics.bmp\\shot", F::Png}, {L"Z:/tmp/a.jpg/shot", F::Png}, {L"shot.png.bmp", F::Bmp},
        {L"shot.bmp.png", F::Png}, {L"shot. jpg", F::Jpeg}, {L"shot.bmp ", F::Bmp},
        {L"shot.bmp. ", F::Bmp}, {L"shot.\x3000" L"bmp", F::Bmp}, {L"shot.", F::Png},
        {L"\x622a\x56fe.JPG", F::Jpeg},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ImageFormatForExtension(c.in), c.want) << "input \"" << testing::PrintToString(std::wstring(c.in))
                                                         << "\"";
    }
}
