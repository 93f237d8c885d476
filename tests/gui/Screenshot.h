#pragma once

#include <QString>

class QWidget;

// Saves a picture of the widget into the build tree's screenshots folder as name.png,
// for a human look at the layout. Returns false when it could not be written.
bool SaveScreenshot(QWidget* widget, const QString& name);
