#pragma once

#include <QSize>

class QWidget;

// Dialog units, the measure the window layouts are drawn in, to pixels of the widget's font:
// a horizontal unit is a quarter of the font's average character width, a vertical unit an
// eighth of its height. Layouts sized this way follow the font and the screen scaling.
int DialogUnitsX(const QWidget* widget, int units);
int DialogUnitsY(const QWidget* widget, int units);
QSize DialogUnitsToPixels(const QWidget* widget, int width, int height);

// The same from the font's measures in pixels: its average character width (as
// AverageCharWidth gives it) and its height. Rounded down, as the layouts have always been.
constexpr int DialogUnitsXFromFont(int units, int averageCharWidth) {
  return units * averageCharWidth / 4;
}
constexpr int DialogUnitsYFromFont(int units, int fontHeight) {
  return units * fontHeight / 8;
}

// The average character width in pixels of the font the old layouts' pixel measures (list
// column widths) were taken with: the classic 8-point dialog font at 96 dots per inch.
inline constexpr int kClassicAverageCharWidth = 6;

// A horizontal measure in pixels of the classic font, in pixels of a font averageCharWidth
// wide: the same dialog units, so it grows and shrinks with the font as the layouts do.
constexpr int ScaleClassicPixelsX(int pixels, int averageCharWidth) {
  return pixels * averageCharWidth / kClassicAverageCharWidth;
}

// The widget's font's average character width in pixels, as dialog units take it.
int AverageCharWidth(const QWidget* widget);
