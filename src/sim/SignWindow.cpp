#include "sim/SignWindow.h"

#include <QPainter>

#include "preview/PreviewGeometry.h"

SignWindow::SignWindow(const QString& title, int signWidth, int signHeight) {
  setWindowTitle(title);
  setFixedSize(signWidth + 2 * kMargin, signHeight + 2 * kMargin);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void SignWindow::Show(PreviewFrame frame) {
  m_frame = std::move(frame);
  update();
}

void SignWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  for (const LitDot& dot : m_frame.dots) {
    const COLORREF c = dot.color;
    painter.setBrush(
        QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF)));
    painter.drawEllipse(QRectF(kMargin + dot.x, kMargin + dot.y, kDotPixels, kDotPixels));
  }
}
