#include "preview/DlgMsgPreview.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <algorithm>
#include <span>

#include "app/DialogUnits.h"
#include "app/NorvMarqueeApp.h"
#include "preview/MarqueeModels.h"
#include "preview/PreviewGeometry.h"

namespace {

QRect ToQRect(const PixelRect& rect) {
  return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

void SetUpBar(QScrollBar* bar, const ScrollBarSetup& setup) {
  bar->setGeometry(ToQRect(setup.rect));
  bar->setRange(setup.minimum, setup.maximum);
  bar->setPageStep(setup.page);
  bar->setSingleStep(1);
  bar->setValue(setup.position);
  bar->setVisible(setup.visible);
}

}  // namespace

CDlgMsgPreview::CDlgMsgPreview(QWidget* parent)
    : QDialog(parent),
      m_nBarThickness(style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this)),
      m_pTimer(new QTimer(this)),
      m_HScroll(new QScrollBar(Qt::Horizontal, this)),
      m_VScroll(new QScrollBar(Qt::Vertical, this)) {
  setWindowTitle(tr("Message Preview"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setAttribute(Qt::WA_DeleteOnClose);
  m_HScroll->setAccessibleName(tr("Columns"));
  m_VScroll->setAccessibleName(tr("Lines"));

  // The view is centred in a frame of the template's size, which holds at least the view and
  // a scroll bar below it.
  const QSize frame(std::max(DialogUnitsX(this, 327), kViewWidth),
                    std::max(DialogUnitsY(this, 78), kViewHeight + m_nBarThickness));
  m_Frame = QRect(QPoint(DialogUnitsX(this, 7), DialogUnitsY(this, 3)), frame);
  setFixedSize(std::max(DialogUnitsX(this, 349), m_Frame.right() + 1 + m_Frame.left()),
               std::max(DialogUnitsY(this, 99), m_Frame.bottom() + 1 + m_Frame.top()));
  if (parent) move(parent->mapToGlobal(QPoint(0, 0)));

  for (QScrollBar* bar : {m_HScroll, m_VScroll})
    connect(bar, &QScrollBar::valueChanged, this, [this] { update(m_rcMatrix); });
  connect(m_pTimer, &QTimer::timeout, this, [this] { update(m_rcMatrix); });
  Restart();
  m_pTimer->start(kTimerPeriod);
}

void CDlgMsgPreview::Restart() {
  m_Animation.ResetScrollStep();
  m_nModel = theApp().m_MsgSettings.m_nModel;
  const MODEL_PROP model = FindMarqueeModel(m_nModel).value_or(MODEL_PROP{0, 0, 0});
  const int thickness = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  const PreviewWindowLayout layout =
      LayOutPreviewWindow({m_Frame.left(), m_Frame.top(), m_Frame.right() + 1, m_Frame.bottom() + 1}, thickness, model);
  update(m_rcMatrix);
  m_rcMatrix = ToQRect(layout.matrix);
  SetUpBar(m_HScroll, layout.horizontal);
  SetUpBar(m_VScroll, layout.vertical);
  update(m_rcMatrix);
}

PreviewSettings CDlgMsgPreview::CurrentSettings() const {
  const CMsgSettings& message = theApp().m_MsgSettings;
  return {message.m_nPosition, message.m_nLine, message.m_nColumn, message.m_nEffect, m_nModel};
}

void CDlgMsgPreview::paintEvent(QPaintEvent* event) {
  // Only a paint of the matrix is an animation step: the rest of the window has nothing to show.
  if (!event->region().intersects(m_rcMatrix)) return;
  const std::span<const LINE1_PROP> lines =
      m_pSourceLines ? std::span<const LINE1_PROP>(*m_pSourceLines) : std::span<const LINE1_PROP>();
  const PreviewFrame frame = m_Animation.NextFrame(lines, CurrentSettings(), m_HScroll->value(), m_VScroll->value());
  QPainter(this).drawImage(m_rcMatrix.topLeft(), m_Matrix.Paint(frame));
}
