#pragma once

#include <QDialog>
#include <QRect>
#include <vector>

#include "message/CharProp.h"
#include "preview/LedMatrixImage.h"
#include "preview/PreviewRenderer.h"

class QScrollBar;
class QTimer;

// The "Message Preview" window: the message on a simulated LED matrix of the chosen marquee
// model. Each paint of the matrix is one step of the animation (blinking and scrolling, see
// CPreviewAnimation); a 540 ms timer repaints it. Models of 40 characters per line are shown
// 20 columns at a time through a horizontal scroll bar.
//
// Modeless and owned by its parent, the composer page. It reads the position, start line and
// column and effect from the application's current message at every paint, and the model at
// construction and at every Restart. Closing it (close box or Escape) emits finished() and
// deletes it.
class CDlgMsgPreview : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kTimerPeriod = 540;  // milliseconds between animation steps

  explicit CDlgMsgPreview(QWidget* parent);

  // Takes the current model, lays the matrix and its scroll bars out for it and starts the
  // scrolling from its beginning; the blink phase goes on.
  void Restart();
  // The scrolling starts from its beginning at the next paint.
  void ResetScrollStep() { m_Animation.ResetScrollStep(); }

  // The matrix in the window, in pixels: at most 480 × 128, 24 per character and 32 per line.
  QRect MatrixRect() const { return m_rcMatrix; }

  // The message's lines (the editor's; not owned): set by the page before showing the window
  // and before every Restart, and read at every paint. Null shows a black matrix.
  const std::vector<LINE1_PROP>* m_pSourceLines = nullptr;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  PreviewSettings CurrentSettings() const;

  CPreviewAnimation m_Animation;
  CLedMatrixImage m_Matrix;
  QRect m_Frame;  // where the view is centred
  int m_nBarThickness;
  QRect m_rcMatrix;
  int m_nModel = 0;
  QTimer* m_pTimer;
  QScrollBar* m_HScroll;
  QScrollBar* m_VScroll;
};
