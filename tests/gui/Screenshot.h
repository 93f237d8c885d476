#pragma once

#include <QString>

class QWidget;

// Saves a picture of the widget as name.png into the build tree's screenshots folder (or the
// folder named by the environment variable MARQUEE_SCREENSHOT_DIR), for a human look at the
// layout; at a device pixel ratio above 1 the name gets "@<ratio>x". Returns false when it could not be written.
bool SaveScreenshot(QWidget* widget, const QString& name);
