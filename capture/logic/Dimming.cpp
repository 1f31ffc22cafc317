#include "capture/logic/Dimming.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace dimming {

namespace {
inline uint8_t RoundedLevel(unsigned v, unsigned keep) { return static_cast<uint8_t>((v * keep + 127) / 255); }

// The rounded level by one multiplication: with the byte doubled into a word (v * 257, which unpacking
// a byte with itself gives), ((v * 257 * 2 * keep) >> 16, halved rounding up) is the rounded level for
// every byte when keep is one of the values marked here; for the others it is off by one somewhere.
constexpr bool ShortFormIsExact(unsigned keep) {
    for (unsigned v = 0; v < 256; ++v) {
        if ((((v * 257u * 2u * keep) >> 16) + 1) / 2 != (v * keep + 127) / 255) return false;
    }
    return true;
}

struct ShortFormKeeps {
    bool exact[256] = {};
    constexpr ShortFormKeeps() {
        for (unsigned keep = 0; keep < 256; ++keep) exact[keep] = ShortFormIsExact(keep);
    }
};
constexpr ShortFormKeeps kShortForm;
}  // namespace

DimTable RoundedTable(int alpha) {
    DimTable table;
    const unsigned keep = 255u - static_cast<unsigned>(alpha);
    for (int byte = 0; byte < 4; ++byte)
        for (unsigned v = 0; v < 256; ++v) table.level[byte][v] = RoundedLevel(v, keep);
    return table;
}

bool IsRounded(const DimTable& table, int alpha) {
    const DimTable rounded = RoundedTable(alpha);
    for (int byte = 0; byte < 4; ++byte)
        for (int v = 0; v < 256; ++v)
            if (table.level[byte][v] != rounded.level[byte][v]) return false;
    return true;
}

void DimPixels(const uint32_t* src, uint32_t* dst, size_t n, const DimTable& table) {
    for (size_t i = 0; i < n; ++i) {
        const uint32_t p = src[i];
        dst[i] = uint32_t{table.level[0][p & 0xFF]} | uint32_t{table.level[1][(p >> 8) & 0xFF]} << 8 |
                 uint32_t{table.level[2][(p >> 16) & 0xFF]} << 16 | uint32_t{table.level[3][p >> 24]} << 24;
    }
}

void DimPixelsRounded(const uint32_t* src, uint32_t* dst, size_t n, int alpha) {
    const unsigned keep = 255u - static_cast<unsigned>(alpha);
    size_t i = 0;
#if defined(__SSE2__)
    if (keep < 256 && kShortForm.exact[keep]) {
        // Half the work of the long form below, for the same bytes.
        const __m128i factor = _mm_set1_epi16(static_cast<short>(2 * keep));
        const __m128i zero = _mm_setzero_si128();
        for (; i + 4 <= n; i += 4) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
            const __m128i lo = _mm_avg_epu16(_mm_mulhi_epu16(_mm_unpacklo_epi8(v, v), factor), zero);
            const __m128i hi = _mm_avg_epu16(_mm_mulhi_epu16(_mm_unpackhi_epi8(v, v), factor), zero);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), _mm_packus_epi16(lo, hi));
        }
    }
    // t = v * keep + 127 stays below 65536, and for such t, (t + 1 + (t >> 8)) >> 8 is t / 255.
    const __m128i zero = _mm_setzero_si128();
    const __m128i factor = _mm_set1_epi16(static_cast<short>(keep));
    const __m128i half = _mm_set1_epi16(127);
    const __m128i one = _mm_set1_epi16(1);
    auto divide = [&](__m128i words) {
        const __m128i t = _mm_add_epi16(_mm_mullo_epi16(words, factor), half);
        return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(t, one), _mm_srli_epi16(t, 8)), 8);
    };
    for (; i + 4 <= n; i += 4) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
        const __m128i lo = divide(_mm_unpacklo_epi8(v, zero));
        const __m128i hi = divide(_mm_unpackhi_epi8(v, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), _mm_packus_epi16(lo, hi));
    }
#endif
    for (; i < n; ++i) {
        const uint32_t p = src[i];
        dst[i] = uint32_t{RoundedLevel(p & 0xFF, keep)} | uint32_t{RoundedLevel((p >> 8) & 0xFF, keep)} << 8 |
                 uint32_t{RoundedLevel((p >> 16) & 0xFF, keep)} << 16 | uint32_t{RoundedLevel(p >> 24, keep)} << 24;
    }
}

}  // namespace dimming
