// What the host tests of the PNG writer read its output with, written apart from the writer so that a
// check shares nothing with what it checks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pngcheck {

inline uint32_t BigEndian32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t{b[at]} << 24 | uint32_t{b[at + 1]} << 16 | uint32_t{b[at + 2]} << 8 | b[at + 3];
}

// Bit by bit, straight from the polynomial, so it shares nothing with the writer's table.
inline uint32_t Crc32(const uint8_t* p, size_t n) {
    uint32_t crc = 0xFFFFFFFF;
    for (size_t i = 0; i < n; ++i) {
        crc ^= p[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

}  // namespace pngcheck
