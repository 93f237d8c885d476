#pragma once

#include <QImage>
#include <utility>
#include <vector>

#include "message/CharProp.h"
#include "preview/PreviewRenderer.h"

class QPainter;

// Draws one LED dot: the ellipse inscribed in the 4 × 4 pixel square whose top-left pixel
// is (x, y), outline and fill in the colour, without antialiasing.
void DrawLedDot(QPainter& painter, int x, int y, COLORREF color);

// Paints preview frames as LED dots on black, into an image of the frame's size that is kept
// for the next frame. Each colour's dot is drawn once with DrawLedDot and then copied to
// every dot of that colour, which gives the same picture as drawing every dot.
class CLedMatrixImage {
 public:
  // The frame's picture; valid until the next call.
  const QImage& Paint(const PreviewFrame& frame);

 private:
  const QImage& DotImage(COLORREF color);

  QImage m_Image;
  std::vector<std::pair<COLORREF, QImage>> m_Dots;  // one per colour seen
};
