// The pointer PNG read back by a minimal decoder of its own: chunk CRCs, the zlib wrapper around stored
// blocks, the row filters, and every pixel against the pointer's shape.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/unit/PngChecks.h"
#include "tools/logic/PointerPng.h"

namespace {

using pngcheck::BigEndian32;
using pngcheck::Crc32;

struct Chunk { std::string type; std::vector<uint8_t> data; };

// Splits the file into chunks, failing the test on a bad signature, length or CRC.
std::vector<Chunk> ReadChunks(const std::vector<uint8_t>& png) {
    const std::vector<uint8_t> signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<Chunk> chunks;
    EXPECT_TRUE(png.size() >= 8 && std::equal(signature.begin(), signature.end(), png.begin()));
    size_t at = 8;
    while (at + 12 <= png.size()) {
        const size_t len = BigEndian32(png, at);
        if (at + 12 + len > png.size()) break;
        Chunk c{std::string(png.begin() + at + 4, png.begin() + at + 8),
                std::vector<uint8_t>(png.begin() + at + 8, png.begin() + at + 8 + len)};
        EXPECT_EQ(BigEndian32(png, at + 8 + len), Crc32(&png[at + 4], len + 4)) << "CRC of " << c.type;
        chunks.push_back(c);
        at += 12 + len;
    }
    EXPECT_EQ(at, png.size()) << "bytes after the last whole chunk";
    return chunks;
}

// Unwraps a zlib stream that may hold only stored deflate blocks and checks its Adler-32.
std::vector<uint8_t> InflateStored(const std::vector<uint8_t>& z) {
    std::vector<uint8_t> out;
    if (z.size() < 6) { ADD_FAILURE() << "zlib stream too short"; return out; }
    EXPECT_EQ(z[0] & 0x0F, 8) << "compression method deflate";
    EXPECT_LE(z[0] >> 4, 7) << "window size";
    EXPECT_EQ((z[0] * 256 + z[1]) % 31, 0) << "header check";
    EXPECT_EQ(z[1] & 0x20, 0) << "no preset dictionary";
    size_t at = 2;
    bool final = false;
    while (!final && at + 5 <= z.size()) {
        final = z[at] & 1;
        EXPECT_EQ((z[at] >> 1) & 3, 0) << "stored block";
        const size_t len = z[at + 1] | z[at + 2] << 8;
        EXPECT_EQ(len ^ 0xFFFF, size_t(z[at + 3] | z[at + 4] << 8)) << "NLEN is the complement of LEN";
        at += 5;
        if (at + len > z.size()) break;
        out.insert(out.end(), z.begin() + at, z.begin() + at + len);
        at += len;
    }
    EXPECT_TRUE(final) << "stream ends with a final block";
    EXPECT_EQ(at + 4, z.size()) << "Adler-32 closes the stream";
    uint32_t a = 1, b = 0;
    for (uint8_t byte : out) { a = (a + byte) % 65521; b = (b + a) % 65521; }
    if (at + 4 <= z.size()) {
        EXPECT_EQ(BigEndian32(z, at), b << 16 | a) << "Adler-32";
    }
    return out;
}

// Reads a whole PNG as this writer makes it (RGBA 8-bit, stored blocks, filter 0) into rows of RGBA bytes.
struct Picture { int width = 0, height = 0; std::vector<uint8_t> rgba; };

Picture Decode(const std::vector<uint8_t>& png) {
    Picture pic;
    const std::vector<Chunk> chunks = ReadChunks(png);
    if (chunks.size() != 3) { ADD_FAILURE() << chunks.size() << " chunks, want IHDR IDAT IEND"; return pic; }
    EXPECT_EQ(chunks[0].type, "IHDR");
    EXPECT_EQ(chunks[1].type, "IDAT");
    EXPECT_EQ(chunks[2].type, "IEND");
    EXPECT_TRUE(chunks[2].data.empty());
    if (chunks[0].data.size() != 13) { ADD_FAILURE() << "IHDR size"; return pic; }
    const std::vector<uint8_t> format(chunks[0].data.begin() + 8, chunks[0].data.end());
    EXPECT_EQ(format, (std::vector<uint8_t>{8, 6, 0, 0, 0})) << "8-bit RGBA, deflate, filter set 0, not interlaced";
    pic.width = static_cast<int>(BigEndian32(chunks[0].data, 0));
    pic.height = static_cast<int>(BigEndian32(chunks[0].data, 4));

    const std::vector<uint8_t> raw = InflateStored(chunks[1].data);
    const size_t stride = 1 + 4 * static_cast<size_t>(pic.width);
    if (raw.size() != stride * pic.height) { ADD_FAILURE() << "image data size " << raw.size(); return pic; }
    for (int y = 0; y < pic.height; ++y) {
        EXPECT_EQ(raw[stride * y], 0) << "filter of row " << y;
        pic.rgba.insert(pic.rgba.end(), raw.begin() + stride * y + 1, raw.begin() + stride * (y + 1));
    }
    return pic;
}

}  // namespace

TEST(PointerPng, DecodesToTheLightTriangleWithItsBase) {
    const Picture pic = Decode(tools::EncodePointerPng());
    ASSERT_EQ(pic.width, 40);
    ASSERT_EQ(pic.height, 20);
    ASSERT_EQ(pic.rgba.size(), 40u * 20 * 4);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 40; ++x) {
            // Rows 0..18 are centred on x = 19.5 and reach y + 0.5 to each side; the outermost pixel
            // of each side is the soft edge. Row 19 is the base, softer at its two ends.
            const double reach = std::abs(x - 19.5);
            int want = reach < y + 0.5 ? 0xFF : reach == y + 0.5 ? 0xC0 : 0;
            if (y == 19) want = (x == 0 || x == 39) ? 0x88 : 0xF5;
            const uint8_t* px = &pic.rgba[4 * (40 * y + x)];
            ASSERT_EQ(px[3], want) << "alpha at (" << x << ", " << y << ")";
            if (want) {
                EXPECT_TRUE(px[0] == 0xF0 && px[1] == 0xF0 && px[2] == 0xF0) << "colour at (" << x << ", " << y << ")";
            }
        }
    }
}

// A stored block holds at most 65535 bytes; a row of w pixels takes 1 + 4w of them.
TEST(PointerPng, WriterSplitsLargeImagesIntoStoredBlocks) {
    struct Case { const char* name; int width, height; };
    const Case cases[] = {
        {"one pixel", 1, 1},
        {"fills exactly one block (255 rows of 257 bytes)", 64, 255},
        {"one row over a block", 64, 256},
        {"three blocks", 300, 120},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> rgba;
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                for (int k = 0; k < 4; ++k) rgba.push_back(static_cast<uint8_t>(x * 7 + y * 13 + k * 61));
        const Picture pic = Decode(tools::EncodeRgbaPng(c.width, c.height, rgba));
        EXPECT_EQ(pic.width, c.width) << c.name;
        EXPECT_EQ(pic.height, c.height) << c.name;
        EXPECT_TRUE(pic.rgba == rgba) << c.name;
    }
}
