#pragma once

#include <QFrame>
#include <array>

#include "addressbook/IPEntry.h"

class QLineEdit;

// A four-field IPv4 address input that behaves like the system's IP address control:
// - each field takes up to three digits; a value above 255 becomes 255 as it is typed;
// - "." (or a blank) moves to the next field once the current one holds a digit, and a
//   third digit moves on by itself, so "192.168.0.10" can be typed straight through;
// - Backspace and the arrow keys cross from field to field at the edges;
// - a dotted address pasted with the keyboard (Ctrl+V) fills all four fields;
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

 signals:
  // Any field's text changed, by typing or by SetAddress / Clear (once per call).
  void addressChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int FieldIndex(const QObject* field) const;
  void OnFieldEdited(int index);
  // Puts the focus on field index with the cursor at its start, at its end, or all selected.
  enum class Caret { Start, End, SelectAll };
  void FocusField(int index, Caret caret);
  bool PasteAddress();

  std::array<QLineEdit*, 4> m_Fields{};
  bool m_bSetting = false;  // SetAddress / Clear at work: one addressChanged at their end
};
