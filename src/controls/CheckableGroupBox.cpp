#include "controls/CheckableGroupBox.h"

#include <QCheckBox>
#include <QEvent>
#include <QRadioButton>

CCheckableGroupBox::CCheckableGroupBox(const QString& caption, QWidget* parent, int groupNumber)
    : QGroupBox(caption, parent), m_nGroupNumber(groupNumber) {
  setFocusPolicy(Qt::TabFocus);
}

void CCheckableGroupBox::SetTitleStyle(int style) {
  if (m_TitleButton || (style != kCheckBox && style != kRadioButton)) return;
  const QString caption = title();
  setTitle(QString());
  if (style == kCheckBox)
    m_TitleButton = new QCheckBox(caption, this);
  else
    m_TitleButton = new QRadioButton(caption, this);
  m_TitleButton->setAutoFillBackground(true);
  m_TitleButton->setAccessibleName(caption);
  // The button sits on the frame's top edge; keep room for it above the contents.
  QMargins margins = contentsMargins();
  margins.setTop(std::max(margins.top(), m_TitleButton->sizeHint().height()));
  setContentsMargins(margins);
  PlaceTitleButton();
  m_TitleButton->show();
  connect(m_TitleButton, &QAbstractButton::clicked, this, &CCheckableGroupBox::OnTitleClicked);
  UpdateContents();
}

void CCheckableGroupBox::SetTitleText(const QString& text) {
  if (!m_TitleButton) return;
  m_TitleButton->setText(text);
  m_TitleButton->setAccessibleName(text);
  PlaceTitleButton();
}

int CCheckableGroupBox::GetCheck() const {
  if (!m_TitleButton) return -1;
  return m_TitleButton->isChecked() ? 1 : 0;
}

void CCheckableGroupBox::SetCheck(int state) {
  if (!m_TitleButton) return;
  m_TitleButton->setChecked(state == 1);
  UpdateContents();
}

bool CCheckableGroupBox::ShowGroup(bool show) {
  const bool wasVisible = isVisible();
  for (QWidget* control : GetContainedControls()) control->setVisible(show);
  setVisible(show);
  return wasVisible;
}

void CCheckableGroupBox::changeEvent(QEvent* event) {
  QGroupBox::changeEvent(event);
  if (event->type() == QEvent::EnabledChange) UpdateContents();
}

void CCheckableGroupBox::focusInEvent(QFocusEvent* event) {
  if (m_TitleButton)
    m_TitleButton->setFocus();
  else
    QGroupBox::focusInEvent(event);
}

void CCheckableGroupBox::resizeEvent(QResizeEvent* event) {
  QGroupBox::resizeEvent(event);
  PlaceTitleButton();
}

void CCheckableGroupBox::PlaceTitleButton() {
  if (!m_TitleButton) return;
  QSize size = m_TitleButton->sizeHint();
  m_TitleButton->setGeometry(8, 0, std::min(size.width(), std::max(0, width() - 16)), size.height());
}

QList<QWidget*> CCheckableGroupBox::GetContainedControls() const {
  QList<QWidget*> controls;
  if (!m_TitleButton) return controls;
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (child != m_TitleButton && !child->isWindow()) controls.append(child);
  return controls;
}

void CCheckableGroupBox::UpdateContents() {
  if (!m_TitleButton) return;
  // A disabled box disables its title too (Qt propagates it), so this reads false then.
  const bool enable = m_TitleButton->isChecked() && m_TitleButton->isEnabled();
  QList<CCheckableGroupBox*> nested;
  for (QWidget* control : GetContainedControls()) {
    control->setEnabled(enable);
    if (auto* box = qobject_cast<CCheckableGroupBox*>(control)) nested.append(box);
  }
  for (CCheckableGroupBox* box : nested) box->SetCheck(box->GetCheck());
}

void CCheckableGroupBox::OnTitleClicked() {
  UpdateContents();
  if (qobject_cast<QRadioButton*>(m_TitleButton) && parentWidget()) {
    for (auto* sibling : parentWidget()->findChildren<CCheckableGroupBox*>(Qt::FindDirectChildrenOnly))
      if (sibling != this && sibling->GetGroupNumber() == m_nGroupNumber) sibling->SetCheck(0);
  }
  emit clicked();
}
