#pragma once

#include <QSize>

class QWidget;

// Dialog units, the measure the window layouts are drawn in, to pixels of the widget's font:
// a horizontal unit is a quarter of the font's average character width, a vertical unit an
// eighth of its height. Layouts sized this way follow the font and the screen scaling.
int DialogUnitsX(const QWidget* widget, int units);
int DialogUnitsY(const QWidget* widget, int units);
QSize DialogUnitsToPixels(const QWidget* widget, int width, int height);
