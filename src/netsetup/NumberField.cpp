#include "netsetup/NumberField.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "app/DialogUnits.h"
#include "app/NorvMarqueeApp.h"
#include "common/Prompter.h"
#include "common/QtText.h"
#include "common/Text.h"

QLineEdit* CreateNumberField(QWidget* parent, const QString& objectName, int maxLength) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(objectName);
  field->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), field));
  if (maxLength > 0) field->setMaxLength(maxLength);
  // Room for a few digits; the label beside it takes the rest.
  field->setMaximumWidth(DialogUnitsX(field, 40));
  return field;
}

int ReadNumber(const QLineEdit* field) {
  return LeadingInt(FromQString(field->text()));
}

void WriteNumber(QLineEdit* field, int value) {
  field->setText(QString::number(value));
}

std::optional<int> ReadNumberInRange(QLineEdit* field, const NumberRange& range) {
  const int value = ReadNumber(field);
  if (value >= range.min && value <= range.max) return value;
  theApp().Prompter().Error(range.message);
  // Selected, so what the operator types next replaces the refused value.
  field->setFocus(Qt::OtherFocusReason);
  field->selectAll();
  return std::nullopt;
}
