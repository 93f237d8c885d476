#include "controls/IPAddressEdit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <algorithm>
#include <optional>

namespace {

constexpr int kLastField = 3;

}  // namespace

CIPAddressEdit::CIPAddressEdit(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(true);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(2, 1, 2, 1);
  layout->setSpacing(0);
  auto* digits = new QRegularExpressionValidator(QRegularExpression("[0-9]{0,3}"), this);
  for (int i = 0; i <= kLastField; ++i) {
    if (i > 0) {
      auto* dot = new QLabel(".", this);
      dot->setBackgroundRole(QPalette::Base);
      layout->addWidget(dot);
    }
    QLineEdit* field = new QLineEdit(this);
    field->setFrame(false);
    field->setAlignment(Qt::AlignCenter);
    field->setValidator(digits);
    field->setAccessibleName(tr("IP address octet %1").arg(i + 1));
    field->setFixedWidth(field->fontMetrics().horizontalAdvance("0000") + 4);
    // As with the system's control, Tab enters at the first field and leaves from any.
    if (i > 0) field->setFocusPolicy(Qt::ClickFocus);
    field->installEventFilter(this);
    connect(field, &QLineEdit::textEdited, this, [this, i] { OnFieldEdited(i); });
    connect(field, &QLineEdit::textChanged, this, [this] {
      if (!m_bSetting) emit addressChanged();
    });
    layout->addWidget(field);
    m_Fields[static_cast<size_t>(i)] = field;
  }
  setFocusProxy(m_Fields[0]);
}

IPAddress CIPAddressEdit::GetAddress() const {
  IPAddress address{};
  for (size_t i = 0; i < address.size(); ++i)
    address[i] = static_cast<uint8_t>(std::min(m_Fields[i]->text().toInt(), 255));
  return address;
}

void CIPAddressEdit::SetAddress(const IPAddress& address) {
  m_bSetting = true;
  for (size_t i = 0; i < address.size(); ++i) m_Fields[i]->setText(QString::number(address[i]));
  m_bSetting = false;
  emit addressChanged();
}

void CIPAddressEdit::Clear() {
  m_bSetting = true;
  for (QLineEdit* field : m_Fields) field->clear();
  m_bSetting = false;
  emit addressChanged();
}

bool CIPAddressEdit::IsBlank() const {
  return std::all_of(m_Fields.begin(), m_Fields.end(), [](const QLineEdit* field) { return field->text().isEmpty(); });
}

int CIPAddressEdit::FieldIndex(const QObject* field) const {
  for (int i = 0; i <= kLastField; ++i)
    if (m_Fields[static_cast<size_t>(i)] == field) return i;
  return -1;
}

void CIPAddressEdit::OnFieldEdited(int index) {
  QLineEdit* field = m_Fields[static_cast<size_t>(index)];
  if (field->text().toInt() > 255) field->setText("255");
  if (field->text().size() == 3 && field->cursorPosition() == 3 && index < kLastField)
    FocusField(index + 1, Caret::SelectAll);
}

void CIPAddressEdit::FocusField(int index, Caret caret) {
  QLineEdit* field = m_Fields[static_cast<size_t>(index)];
  field->setFocus(Qt::OtherFocusReason);
  switch (caret) {
    case Caret::Start:
      field->setCursorPosition(0);
      break;
    case Caret::End:
      field->setCursorPosition(static_cast<int>(field->text().size()));
      break;
    case Caret::SelectAll:
      field->selectAll();
      break;
  }
}

bool CIPAddressEdit::PasteAddress() {
  const QClipboard* clipboard = QGuiApplication::clipboard();
  const std::optional<IPAddress> address =
      clipboard ? ParseDottedAddress(clipboard->text().trimmed().toStdString()) : std::nullopt;
  if (!address) return false;
  SetAddress(*address);
  FocusField(kLastField, Caret::End);
  return true;
}

bool CIPAddressEdit::eventFilter(QObject* watched, QEvent* event) {
  const int index = FieldIndex(watched);
  if (index < 0 || event->type() != QEvent::KeyPress) return QFrame::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  const QLineEdit* field = m_Fields[static_cast<size_t>(index)];
  const bool atStart = field->cursorPosition() == 0 && !field->hasSelectedText();
  const bool atEnd = field->cursorPosition() == field->text().size() && !field->hasSelectedText();
  if (key->matches(QKeySequence::Paste)) return PasteAddress();
  switch (key->key()) {
    case Qt::Key_Period:
    case Qt::Key_Space:
      // After an automatic move a typed dot finds an empty field and is dropped.
      if (index < kLastField && !field->text().isEmpty()) FocusField(index + 1, Caret::SelectAll);
      return true;
    case Qt::Key_Right:
      if (!atEnd || index == kLastField || key->modifiers() != Qt::NoModifier) return false;
      FocusField(index + 1, Caret::Start);
      return true;
    case Qt::Key_Left:
    case Qt::Key_Backspace:
      if (!atStart || index == 0 || key->modifiers() != Qt::NoModifier) return false;
      FocusField(index - 1, Caret::End);
      return true;
    case Qt::Key_Backtab:
      // Leave the control backwards from whichever field has the focus.
      if (index == 0) return false;
      m_Fields[0]->setFocus(Qt::OtherFocusReason);
      focusNextPrevChild(false);
      return true;
    default:
      return false;
  }
}
