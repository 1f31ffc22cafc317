// Which pixels of the view become the output image: the selection without the bands where its
// frame and handles are drawn.
#pragma once

#include "framework/Compat.h"

namespace output {

// The frame pen and handle squares reach 2 pixels into the selection at the left and top and 3 at
// the right and bottom; these bands are left out of the output.
constexpr LONG kCropLeadingInset = 2;
constexpr LONG kCropTrailingInset = 3;

// The crop in view coordinates: (l+2, t+2, r-3, b-3). It may be inverted for tiny selections;
// ask ResultIsEmpty before using it.
RECT ResultCropRect(const RECT& rcSelection);

// Width and height of the output image, (r-l-5) x (b-t-5); zero or negative when there is none.
SIZE ResultSize(const RECT& rcSelection);

// True when the selection leaves no pixel to output: 5 pixels or less wide or high, or no
// selection at all. Such a capture produces no clipboard image and no file.
bool ResultIsEmpty(const RECT& rcSelection);

}  // namespace output
