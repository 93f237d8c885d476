#include "controls/IPAddressEdit.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QToolTip>
#include <algorithm>
#include <memory>
#include <optional>

namespace {

constexpr int kLastField = 3;
constexpr int kHighestOctet = 255;
// Long enough to read the hint while typing on.
constexpr int kRangeHintMs = 4000;

bool IsModifierKey(int key) {
  switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_CapsLock:
      return true;
    default:
      return false;
  }
}

}  // namespace

CIPAddressEdit::CIPAddressEdit(QWidget* parent)
    : QFrame(parent), m_pRangeHint(new QLabel(this)), m_pRangeHintTimer(new QTimer(this)) {
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

  // A window of its own like a tool tip, but one that stays while the operator types on.
  m_pRangeHint->setWindowFlags(Qt::ToolTip);
  m_pRangeHint->setAttribute(Qt::WA_ShowWithoutActivating);
  m_pRangeHint->setPalette(QToolTip::palette());
  m_pRangeHint->setFont(QToolTip::font());
  m_pRangeHint->setAutoFillBackground(true);
  m_pRangeHint->setFrameStyle(QFrame::Box | QFrame::Plain);
  m_pRangeHint->setMargin(3);
  m_pRangeHintTimer->setSingleShot(true);
  connect(m_pRangeHintTimer, &QTimer::timeout, m_pRangeHint, &QWidget::hide);
}

IPAddress CIPAddressEdit::GetAddress() const {
  IPAddress address{};
  for (size_t i = 0; i < address.size(); ++i)
    address[i] = static_cast<uint8_t>(std::min(m_Fields[i]->text().toInt(), kHighestOctet));
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
    if (Field(i) == field) return i;
  return -1;
}

void CIPAddressEdit::OnFieldEdited(int index) {
  QLineEdit* field = Field(index);
  const int typed = field->text().toInt();
  if (typed > kHighestOctet) {
    field->setText(QString::number(kHighestOctet));
    ShowRangeHint(index, typed);
  }
  if (field->text().size() == 3 && field->cursorPosition() == 3 && index < kLastField) {
    FocusField(index + 1, Caret::SelectAll);
    m_nAdvancedInto = index + 1;
  }
}

void CIPAddressEdit::ShowRangeHint(int index, int typed) {
  const QLineEdit* field = Field(index);
  m_pRangeHint->setText(tr("%1 is not a valid entry. Specify a value between 0 and %2.").arg(typed).arg(kHighestOctet));
  m_pRangeHint->adjustSize();
  m_pRangeHint->move(field->mapToGlobal(QPoint(0, field->height() + 2)));
  m_pRangeHint->show();
  m_pRangeHintTimer->start(kRangeHintMs);
}

void CIPAddressEdit::hideEvent(QHideEvent* event) {
  m_pRangeHint->hide();
  QFrame::hideEvent(event);
}

void CIPAddressEdit::FocusField(int index, Caret caret) {
  QLineEdit* field = Field(index);
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

void CIPAddressEdit::ShowContextMenu(int index, const QPoint& globalPos) {
  QLineEdit* field = Field(index);
  const std::unique_ptr<QMenu> menu(field->createStandardContextMenu());
  // The menu's Paste takes a whole dotted address too, as Ctrl+V does.
  // The line edit names its actions only by their text, which ends in the shortcut.
  const QString pasteKeys = QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
  for (QAction* action : menu->actions()) {
    if (action->objectName() != QLatin1String("edit-paste") && !action->text().endsWith(u'\t' + pasteKeys)) continue;
    disconnect(action, &QAction::triggered, nullptr, nullptr);
    connect(action, &QAction::triggered, field, [this, field] {
      if (!PasteAddress()) field->paste();
    });
  }
  menu->exec(globalPos);
}

bool CIPAddressEdit::eventFilter(QObject* watched, QEvent* event) {
  const int index = FieldIndex(watched);
  if (index < 0) return QFrame::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::KeyPress:
      return OnKeyPress(index, *static_cast<QKeyEvent*>(event));
    case QEvent::FocusIn:
      // Entering from outside the control by keyboard or program: typing replaces the field.
      // (Moves between the fields set their own caret right after.)
      if (static_cast<QFocusEvent*>(event)->reason() == Qt::OtherFocusReason) Field(index)->selectAll();
      break;
    case QEvent::FocusOut:
      if (m_nAdvancedInto == index) m_nAdvancedInto = -1;
      break;
    case QEvent::ContextMenu:
      ShowContextMenu(index, static_cast<QContextMenuEvent*>(event)->globalPos());
      return true;
    default:
      break;
  }
  return QFrame::eventFilter(watched, event);
}

bool CIPAddressEdit::OnKeyPress(int index, const QKeyEvent& key) {
  if (IsModifierKey(key.key())) return false;
  const bool justAdvanced = m_nAdvancedInto == index;
  m_nAdvancedInto = -1;
  const QLineEdit* field = Field(index);
  const bool atStart = field->cursorPosition() == 0 && !field->hasSelectedText();
  const bool atEnd = field->cursorPosition() == field->text().size() && !field->hasSelectedText();
  if (key.matches(QKeySequence::Paste)) return PasteAddress();
  switch (key.key()) {
    case Qt::Key_Period:
    case Qt::Key_Space:
      // The dot after an octet whose third digit already moved on; or a dot in an empty field.
      if (justAdvanced || field->text().isEmpty()) return true;
      if (index < kLastField) FocusField(index + 1, Caret::SelectAll);
      return true;
    case Qt::Key_Right:
      if (!atEnd || index == kLastField || key.modifiers() != Qt::NoModifier) return false;
      FocusField(index + 1, Caret::Start);
      return true;
    case Qt::Key_Left:
    case Qt::Key_Backspace:
      if (!atStart || index == 0 || key.modifiers() != Qt::NoModifier) return false;
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
