#pragma once

#include <string_view>

#include "message/CharProp.h"

// Builds a message line of the given characters, all with the same attributes.
inline LINE1_PROP TextLine(std::string_view text, int size = 1, COLORREF color = kColorRed, int blink = 0) {
  LINE1_PROP line;
  for (char c : text) line.push_back({size, static_cast<unsigned char>(c), color, blink});
  return line;
}

inline LINE1_PROP operator+(LINE1_PROP left, const LINE1_PROP& right) {
  left.insert(left.end(), right.begin(), right.end());
  return left;
}
