#include "app/DialogUnits.h"

#include <QFontMetrics>
#include <QWidget>

namespace {

// The average width of the letters, rounded as the dialog templates' measure rounds it.
int AverageCharWidth(const QFontMetrics& metrics) {
  static const QString kLetters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  return (metrics.horizontalAdvance(kLetters) / 26 + 1) / 2;
}

}  // namespace

int DialogUnitsX(const QWidget* widget, int units) {
  return units * AverageCharWidth(widget->fontMetrics()) / 4;
}

int DialogUnitsY(const QWidget* widget, int units) {
  return units * widget->fontMetrics().height() / 8;
}

QSize DialogUnitsToPixels(const QWidget* widget, int width, int height) {
  return {DialogUnitsX(widget, width), DialogUnitsY(widget, height)};
}
