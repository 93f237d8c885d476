#include "preview/LedMatrixImage.h"

#include <QPainter>
#include <algorithm>
#include <cstring>

#include "message/QtColorRef.h"
#include "preview/PreviewGeometry.h"

void DrawLedDot(QPainter& painter, int x, int y, COLORREF color) {
  const QColor shade = ToQColor(color);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(shade, 0));
  painter.setBrush(shade);
  // Through the pixel centres: a 1-pixel outline on these points covers exactly the square.
  painter.drawEllipse(QRectF(x + 0.5, y + 0.5, kDotPixels - 1, kDotPixels - 1));
}

const QImage& CLedMatrixImage::DotImage(COLORREF color) {
  for (const auto& [dotColor, image] : m_Dots)
    if (dotColor == color) return image;
  QImage dot(kDotPixels, kDotPixels, QImage::Format_RGB32);
  dot.fill(Qt::black);
  QPainter painter(&dot);
  DrawLedDot(painter, 0, 0, color);
  painter.end();
  return m_Dots.emplace_back(color, std::move(dot)).second;
}

const QImage& CLedMatrixImage::Paint(const PreviewFrame& frame) {
  if (m_Image.width() != frame.width || m_Image.height() != frame.height)
    m_Image = QImage(frame.width, frame.height, QImage::Format_RGB32);
  m_Image.fill(Qt::black);
  if (m_Image.isNull()) return m_Image;
  uchar* const pixels = m_Image.bits();
  const qsizetype stride = m_Image.bytesPerLine();
  constexpr size_t kDotRowBytes = kDotPixels * sizeof(QRgb);
  COLORREF lastColor = 0;
  const QImage* dot = nullptr;
  for (const LitDot& lit : frame.dots) {
    if (lit.x < 0 || lit.y < 0 || lit.x + kDotPixels > frame.width || lit.y + kDotPixels > frame.height) continue;
    if (!dot || lit.color != lastColor) {
      dot = &DotImage(lit.color);
      lastColor = lit.color;
    }
    for (int row = 0; row < kDotPixels; ++row)
      std::memcpy(pixels + (lit.y + row) * stride + lit.x * static_cast<qsizetype>(sizeof(QRgb)),
                  dot->constScanLine(row), kDotRowBytes);
  }
  return m_Image;
}
