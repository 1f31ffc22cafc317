// The pointer picture: a small light triangle pointing up (the tool bar's pointer at the selection),
// and the bare PNG writer that stores it without a compression library.
#pragma once

#include <cstdint>
#include <vector>

namespace tools {

constexpr int kPointerWidth = 40;
constexpr int kPointerHeight = 20;

// Colour of every visible pixel of the pointer: RGB F0 F0 F0.
constexpr uint8_t kPointerGrey = 0xF0;

// Alpha of pixel (x, y) of the pointer, 0 outside the picture. Rows 0 to 18 widen by one pixel per side
// per row from the two middle pixels, with softer (0xC0) edge pixels; row 19 is the base, 0xF5 with 0x88
// at both ends.
uint8_t PointerAlpha(int x, int y);

// A PNG file of a width x height picture given as RGBA bytes, rows top down: 8-bit RGBA (colour type 6),
// not interlaced, filter 0 on each row, one IDAT of stored deflate blocks.
std::vector<uint8_t> EncodeRgbaPng(int width, int height, const std::vector<uint8_t>& rgba);

// The pointer as a PNG file (kPointerWidth x kPointerHeight); invisible pixels are 0,0,0,0.
std::vector<uint8_t> EncodePointerPng();

}  // namespace tools
