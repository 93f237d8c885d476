#include "app/DialogUnits.h"

#include <QFontMetrics>
#include <QWidget>

int AverageCharWidth(const QWidget* widget) {
  // Rounded as the dialog templates' measure rounds it.
  static const QString kLetters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  return (widget->fontMetrics().horizontalAdvance(kLetters) / 26 + 1) / 2;
}

int DialogUnitsX(const QWidget* widget, int units) {
  return DialogUnitsXFromFont(units, AverageCharWidth(widget));
}

int DialogUnitsY(const QWidget* widget, int units) {
  return DialogUnitsYFromFont(units, widget->fontMetrics().height());
}

QSize DialogUnitsToPixels(const QWidget* widget, int width, int height) {
  return {DialogUnitsX(widget, width), DialogUnitsY(widget, height)};
}
