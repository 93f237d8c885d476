#include "controls/IPAddressEdit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <algorithm>

CIPAddressEdit::CIPAddressEdit(QWidget* parent) : QWidget(parent) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  for (size_t i = 0; i < m_Octets.size(); ++i) {
    if (i > 0) layout->addWidget(new QLabel(QStringLiteral("."), this));
    QLineEdit* octet = new QLineEdit(this);
    octet->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), octet));
    octet->setMaxLength(3);
    octet->setAlignment(Qt::AlignCenter);
    octet->setAccessibleName(tr("Octet %1").arg(i + 1));
    octet->setMinimumWidth(octet->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
    layout->addWidget(octet);
    m_Octets[i] = octet;
  }
  // The four fields take the focus as one control for whoever focuses the edit.
  setFocusProxy(m_Octets[0]);
}

IPAddress CIPAddressEdit::GetAddress() const {
  IPAddress address{};
  for (size_t i = 0; i < m_Octets.size(); ++i)
    address[i] = static_cast<uint8_t>(std::min(m_Octets[i]->text().toInt(), 255));
  return address;
}

void CIPAddressEdit::SetAddress(const IPAddress& address) {
  for (size_t i = 0; i < m_Octets.size(); ++i) m_Octets[i]->setText(QString::number(address[i]));
}
