#pragma once

#include <optional>

class QLineEdit;
class QString;
class QWidget;

// The number fields of the network setup page and its panes: they take digits only and
// are read as the value of their leading digits, so an empty field reads as 0.

// A new digits-only field (owned by parent) named objectName; maxLength 0 keeps the line
// edit's own limit.
QLineEdit* CreateNumberField(QWidget* parent, const QString& objectName, int maxLength = 0);
// The value of the field's leading digits (atoi rules, saturated); 0 when there are none.
int ReadNumber(const QLineEdit* field);
// Shows value as "%d".
void WriteNumber(QLineEdit* field, int value);
// The values a field accepts, and the message that refuses any other.
struct NumberRange {
  int min;
  int max;
  const char* message;
};
// The field's value when it lies within the range. Otherwise shows the range's message with
// the stop icon, puts the focus on the field with its text selected and returns nothing.
std::optional<int> ReadNumberInRange(QLineEdit* field, const NumberRange& range);
