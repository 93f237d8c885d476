#include "app/ProgramIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// The lit dots of the sign, one string per dot row.
constexpr const char* kDots[] = {
    "X.....X", "XX...XX", "X.X.X.X", "X..X..X", "X.....X",
};
constexpr int kRows = 5;
constexpr int kColumns = 7;

// Draws the icon into a 64 x 64 square.
void DrawIcon(QPainter& painter) {
  painter.setRenderHint(QPainter::Antialiasing);
  // The mounting posts, then the housing with its bezel.
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0x70, 0x76, 0x7e));
  painter.drawRect(QRectF(14, 48, 5, 14));
  painter.drawRect(QRectF(45, 48, 5, 14));
  painter.setBrush(QColor(0x5a, 0x60, 0x68));
  painter.drawRoundedRect(QRectF(2, 10, 60, 40), 5, 5);
  painter.setBrush(QColor(0x16, 0x18, 0x1c));
  painter.drawRoundedRect(QRectF(5, 13, 54, 34), 3, 3);

  const qreal pitch = 7.4;
  const qreal diameter = 5.6;
  const QPointF origin(32 - pitch * (kColumns - 1) / 2, 30 - pitch * (kRows - 1) / 2);
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      const bool lit = kDots[row][column] == 'X';
      painter.setBrush(lit ? QColor(0xff, 0x30, 0x20) : QColor(0x4a, 0x14, 0x12));
      const QPointF centre = origin + QPointF(column * pitch, row * pitch);
      painter.drawEllipse(centre, diameter / 2, diameter / 2);
    }
  }
}

QPixmap DrawPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.scale(size / 64.0, size / 64.0);
  DrawIcon(painter);
  return pixmap;
}

}  // namespace

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(DrawPixmap(size));
  return icon;
}
