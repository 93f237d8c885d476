#include "app/WaitCursor.h"

#include <QApplication>
#include <QCursor>

void WaitCursor::Begin() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
}

void WaitCursor::End() {
  QApplication::restoreOverrideCursor();
}
