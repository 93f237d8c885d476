#pragma once

#include <QColor>

#include "message/CharProp.h"

// COLORREF keeps red in its low byte (0x00BBGGRR); QColor takes red, green, blue.
inline QColor ToQColor(COLORREF color) {
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

inline COLORREF ToColorRef(const QColor& color) {
  return static_cast<COLORREF>(color.red()) | static_cast<COLORREF>(color.green()) << 8 |
         static_cast<COLORREF>(color.blue()) << 16;
}
