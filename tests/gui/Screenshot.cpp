#include "gui/Screenshot.h"

#include <QDir>
#include <QPixmap>
#include <QWidget>

bool SaveScreenshot(QWidget* widget, const QString& name) {
  const QString folder = qEnvironmentVariable("MARQUEE_SCREENSHOT_DIR", QStringLiteral(MARQUEE_SCREENSHOT_DIR));
  QDir().mkpath(folder);
  return widget->grab().save(folder + "/" + name + ".png");
}
