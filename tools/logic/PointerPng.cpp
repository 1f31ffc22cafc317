// The pointer picture and a PNG writer small enough to need no zlib: the image data goes into stored
// (uncompressed) deflate blocks, which every PNG reader accepts.
#include "tools/logic/PointerPng.h"

#include <algorithm>
#include <array>

namespace tools {

namespace {

constexpr uint32_t kAdlerModulus = 65521;
constexpr size_t kMaxStoredBlock = 65535;

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

uint32_t Adler32(const std::vector<uint8_t>& data) {
    uint32_t a = 1;
    uint32_t b = 0;
    for (uint8_t byte : data) {
        a = (a + byte) % kAdlerModulus;
        b = (b + a) % kAdlerModulus;
    }
    return (b << 16) | a;
}

void PutBigEndian32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

// Length, type, data and the CRC over type and data.
void PutChunk(std::vector<uint8_t>& out, const char (&type)[5], const std::vector<uint8_t>& data) {
    PutBigEndian32(out, static_cast<uint32_t>(data.size()));
    const size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBigEndian32(out, Crc32(out.data() + typeAt, out.size() - typeAt));
}

// A zlib stream (deflate, 32K window, no dictionary) of stored blocks; an empty input still gets one
// final block.
std::vector<uint8_t> ZlibStored(const std::vector<uint8_t>& raw) {
    std::vector<uint8_t> out{0x78, 0x01};  // 0x7801 is a multiple of 31, as the header check requires
    size_t at = 0;
    do {
        const size_t len = std::min(kMaxStoredBlock, raw.size() - at);
        const bool last = at + len == raw.size();
        out.push_back(last ? 1 : 0);  // BFINAL, BTYPE 00 (stored); the rest of the byte pads to the boundary
        out.push_back(static_cast<uint8_t>(len));
        out.push_back(static_cast<uint8_t>(len >> 8));
        out.push_back(static_cast<uint8_t>(~len));
        out.push_back(static_cast<uint8_t>(~len >> 8));
        out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
                   raw.begin() + static_cast<std::ptrdiff_t>(at + len));
        at += len;
    } while (at < raw.size());
    PutBigEndian32(out, Adler32(raw));
    return out;
}

}  // namespace

uint8_t PointerAlpha(int x, int y) {
    if (x < 0 || x >= kPointerWidth || y < 0 || y >= kPointerHeight) return 0;
    if (y == kPointerHeight - 1) return (x == 0 || x == kPointerWidth - 1) ? 0x88 : 0xF5;
    const int left = kPointerWidth / 2 - 1 - y;
    const int right = kPointerWidth / 2 + y;
    if (x == left || x == right) return 0xC0;
    return (x > left && x < right) ? 0xFF : 0;
}

std::vector<uint8_t> EncodeRgbaPng(int width, int height, const std::vector<uint8_t>& rgba) {
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    std::vector<uint8_t> raw;
    raw.reserve((rowBytes + 1) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // filter: none
        const auto row = rgba.begin() + static_cast<std::ptrdiff_t>(rowBytes * static_cast<size_t>(y));
        raw.insert(raw.end(), row, row + static_cast<std::ptrdiff_t>(rowBytes));
    }

    std::vector<uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBigEndian32(header, static_cast<uint32_t>(width));
    PutBigEndian32(header, static_cast<uint32_t>(height));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, filter set 0, no interlace
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", ZlibStored(raw));
    PutChunk(png, "IEND", {});
    return png;
}

std::vector<uint8_t> EncodePointerPng() {
    std::vector<uint8_t> rgba;
    rgba.reserve(static_cast<size_t>(kPointerWidth) * kPointerHeight * 4);
    for (int y = 0; y < kPointerHeight; ++y) {
        for (int x = 0; x < kPointerWidth; ++x) {
            const uint8_t a = PointerAlpha(x, y);
            const uint8_t grey = a ? kPointerGrey : 0;
            rgba.insert(rgba.end(), {grey, grey, grey, a});
        }
    }
    return EncodeRgbaPng(kPointerWidth, kPointerHeight, rgba);
}

}  // namespace tools
