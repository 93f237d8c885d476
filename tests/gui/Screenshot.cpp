#include "gui/Screenshot.h"

#include <QDir>
#include <QPixmap>
#include <QWidget>

bool SaveScreenshot(QWidget* widget, const QString& name) {
  QDir().mkpath(QStringLiteral(MARQUEE_SCREENSHOT_DIR));
  return widget->grab().save(QStringLiteral(MARQUEE_SCREENSHOT_DIR) + "/" + name + ".png");
}
