#pragma once

#include <QWidget>
#include <array>

#include "addressbook/IPEntry.h"

class QLineEdit;

// An IP address typed as four octets, first (most significant) octet leftmost, each a
// field of up to three digits. A blank field reads as 0; a value above 255 reads as 255.
class CIPAddressEdit : public QWidget {
  Q_OBJECT

 public:
  explicit CIPAddressEdit(QWidget* parent = nullptr);

  IPAddress GetAddress() const;
  void SetAddress(const IPAddress& address);

 private:
  std::array<QLineEdit*, 4> m_Octets{};
};
