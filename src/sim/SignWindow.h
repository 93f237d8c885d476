#pragma once

#include <QWidget>

#include "preview/PreviewRenderer.h"

// The sign in a window of its own: every lit dot a round 4 × 4 pixel LED on black, as
// the preview window draws them, with a black margin around the matrix.
class SignWindow : public QWidget {
 public:
  static constexpr int kMargin = 8;

  SignWindow(const QString& title, int signWidth, int signHeight);

  // Shows the frame at the next paint.
  void Show(PreviewFrame frame);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  PreviewFrame m_frame;
};
