#pragma once

#include <array>

#include "message/CharProp.h"

// How the message editor shows the marquee text attributes: a size code (1 to 5) as the
// font's point size, a colour as the text colour, blinking as underline. The composer's
// colour list numbers its entries 1 red, 2 yellow, 3 green.

inline constexpr std::array<int, 5> kSizePointSizes = {7, 21, 35, 49, 42};

// The point size of a size code; a code outside 1 to 5 gets size 1's.
constexpr int PointSizeOfSize(int size) {
  return size >= 1 && size <= 5 ? kSizePointSizes[static_cast<size_t>(size - 1)] : kSizePointSizes[0];
}

// The size code a point size stands for: 21, 35, 49 and 42 give 2 to 5, any other size 1.
constexpr int SizeOfPointSize(int points) {
  for (size_t i = 1; i < kSizePointSizes.size(); ++i)
    if (kSizePointSizes[i] == points) return static_cast<int>(i) + 1;
  return 1;
}

inline constexpr std::array<COLORREF, 3> kColorListColors = {kColorRed, kColorYellow, kColorGreen};

// The colour of a colour list index (1 to 3); any other index gives red.
constexpr COLORREF ColorOfIndex(int index) {
  return index >= 1 && index <= 3 ? kColorListColors[static_cast<size_t>(index - 1)] : kColorRed;
}

// The colour list index of a colour: red 1, yellow 2, any other colour 3.
constexpr int ColorIndexOf(COLORREF color) {
  return color == kColorRed ? 1 : color == kColorYellow ? 2 : 3;
}
