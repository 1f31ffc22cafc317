// The dimming of the frozen screen outside the selection, done on the pixels themselves: a full-screen
// blend through GDI costs many frame copies, a pass over the pixels about one.
#pragma once

#include <cstddef>
#include <cstdint>

namespace dimming {

// What the dimming makes of each value of each of the four bytes of a 32-bit pixel (blue, green, red
// and the fourth byte, in memory order). Read back from the platform's own blend, so that the pixel pass
// gives exactly the pixels the blend gives.
struct DimTable {
    uint8_t level[4][256];
};

// The table of black blended over the pixel at alpha/255, rounded to the nearest level, in all four
// bytes: v * (255 - alpha) / 255, halves rounded down.
DimTable RoundedTable(int alpha);

// Whether table is RoundedTable(alpha), for which DimPixelsRounded gives the same pixels faster.
bool IsRounded(const DimTable& table, int alpha);

// dst[i] = src[i] with each byte looked up in table, for n pixels.
void DimPixels(const uint32_t* src, uint32_t* dst, size_t n, const DimTable& table);

// dst[i] = src[i] with each byte v made (v * (255 - alpha) + 127) / 255, for n pixels, sixteen bytes at
// a time where the processor allows.
void DimPixelsRounded(const uint32_t* src, uint32_t* dst, size_t n, int alpha);

}  // namespace dimming
