#include "controls/NorvComboBox.h"

#include <QAbstractItemView>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>

CNorvComboBox::CNorvComboBox(QWidget* parent) : QComboBox(parent) {
  // The combo's own width does not follow its items, so a long port or entry name cannot
  // widen the window; the dropped list is fitted to them instead.
  setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  setMinimumContentsLength(12);
  auto remeasure = [this] { m_nDroppedWidth = 0; };
  connect(model(), &QAbstractItemModel::rowsInserted, this, remeasure);
  connect(model(), &QAbstractItemModel::rowsRemoved, this, remeasure);
}

void CNorvComboBox::showPopup() {
  FitDropDown();
  QComboBox::showPopup();
}

void CNorvComboBox::FitDropDown() {
  QAbstractItemView* list = view();
  const int itemHeight = std::max(1, list->sizeHintForRow(0));
  if (m_bFitHeight && screen()) {
    // As many items as the larger of the spaces above and below the combo can show.
    const QRect desktop = screen()->availableGeometry();
    const QRect combo(mapToGlobal(QPoint(0, 0)), size());
    const int room = std::max(combo.top() - desktop.top(), desktop.bottom() - combo.bottom());
    setMaxVisibleItems(std::clamp(room / itemHeight, 1, std::max(1, count())));
  }
  if (m_bFitWidth && m_nDroppedWidth == 0) {
    const QFontMetrics metrics(list->font());
    int widest = 0;
    for (int i = 0; i < count(); ++i) widest = std::max(widest, metrics.horizontalAdvance(GetItemText(i)));
    const int edge = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    widest += 2 * edge + 4 + 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this);
    if (count() > maxVisibleItems()) widest += style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    m_nDroppedWidth = widest;
    list->setMinimumWidth(m_nDroppedWidth);
  }
}
