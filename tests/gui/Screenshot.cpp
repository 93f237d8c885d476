#include "gui/Screenshot.h"

#include <QDir>
#include <QPixmap>
#include <QWidget>

bool SaveScreenshot(QWidget* widget, const QString& name) {
  const QString folder = qEnvironmentVariable("MARQUEE_SCREENSHOT_DIR", QStringLiteral(MARQUEE_SCREENSHOT_DIR));
  QDir().mkpath(folder);
  // At a high density (QT_SCALE_FACTOR=2) the scale goes into the name: name@2x.png.
  const qreal ratio = widget->devicePixelRatioF();
  const QString scaled = ratio > 1 ? QString("%1@%2x").arg(name).arg(ratio) : name;
  return widget->grab().save(folder + "/" + scaled + ".png");
}
