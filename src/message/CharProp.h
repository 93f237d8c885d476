#pragma once

#include <cstdint>
#include <vector>

// Colour value 0x00BBGGRR, as the command language and the preview use it.
using COLORREF = uint32_t;
constexpr COLORREF kColorRed = 0x0000FF;
constexpr COLORREF kColorGreen = 0x00FF00;
constexpr COLORREF kColorYellow = 0x00FFFF;

// The colour a sign shows for a character's colour: red, green and yellow as they are; any
// other colour (pasted text may carry one) is sent as red ("^dC1") and so shows red.
constexpr COLORREF SignColorOf(COLORREF color) {
  return color == kColorGreen || color == kColorYellow ? color : kColorRed;
}

// One character of a message line with its marquee text attributes.
struct CHAR_PROP {
  int32_t size = 1;       // size code 1 to 5
  int32_t character = 0;  // the character's byte in the low 8 bits
  COLORREF color = kColorRed;
  int32_t blink = 0;  // 1 when the character blinks

  bool operator==(const CHAR_PROP&) const = default;
};

// One text line: its characters in order. An empty line has no characters.
using LINE1_PROP = std::vector<CHAR_PROP>;
