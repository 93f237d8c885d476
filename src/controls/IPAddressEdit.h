#pragma once

#include <QFrame>
#include <array>

#include "addressbook/IPEntry.h"

class QLabel;
class QLineEdit;
class QTimer;

// A four-field IPv4 address input that behaves like the system's IP address control:
// - each field takes up to three digits; a value above 255 becomes 255 as it is typed, and a
//   hint beside the field says so for a few seconds (it takes no focus and needs no answer);
// - "." (or a blank) moves to the next field once the current one holds a digit, and a
//   third digit moves on by itself; a "." typed right after such a move is the dot of the
//   octet just finished and is dropped, so a whole dotted address typed straight through
//   gives exactly that address, over blank fields as over filled ones;
// - a field entered from outside the control by keyboard or program (Tab, a label's
//   shortcut, setFocus) has its text selected, so typing replaces it; a click places the caret;
// - Backspace and the arrow keys cross from field to field at the edges;
// - a dotted address pasted (Ctrl+V, Shift+Insert or the field's menu) fills all four fields;
//   other pasted text goes into the field as typed digits would;
// - Tab enters at the first field and leaves the control from any field.
// A blank field reads as 0. Focus given to the control goes to its first field.
class CIPAddressEdit : public QFrame {
  Q_OBJECT

 public:
  explicit CIPAddressEdit(QWidget* parent = nullptr);

  // The four octets, first octet first; blank fields read as 0.
  IPAddress GetAddress() const;
  // Shows the four octets (every field filled, "0" included).
  void SetAddress(const IPAddress& address);
  // Empties every field.
  void Clear();
  // True when every field is empty.
  bool IsBlank() const;
  // The hint shown when a typed octet was above 255; hidden when none is showing.
  const QLabel* RangeHint() const { return m_pRangeHint; }

 signals:
  // Any field's text changed, by typing or by SetAddress / Clear (once per call).
  void addressChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  int FieldIndex(const QObject* field) const;
  void OnFieldEdited(int index);
  bool OnKeyPress(int index, const QKeyEvent& key);
  // Puts the focus on field index with the cursor at its start, at its end, or all selected.
  enum class Caret { Start, End, SelectAll };
  void FocusField(int index, Caret caret);
  bool PasteAddress();
  void ShowContextMenu(int index, const QPoint& globalPos);
  void ShowRangeHint(int index, int typed);
  // The field of an index from 0 to kLastField.
  QLineEdit* Field(int index) const { return m_Fields[static_cast<size_t>(index)]; }

  std::array<QLineEdit*, 4> m_Fields{};
  bool m_bSetting = false;   // SetAddress / Clear at work: one addressChanged at their end
  int m_nAdvancedInto = -1;  // the field a third digit just moved to, until the next key
  QLabel* m_pRangeHint;      // a tool-tip-like window owned by the control
  QTimer* m_pRangeHintTimer;
};
