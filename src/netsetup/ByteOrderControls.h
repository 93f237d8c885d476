#pragma once

#include <QWidget>

#include "netsetup/ByteOrderCode.h"

class QRadioButton;

// The byte order choice shared by the network parameter panes: a note, the "Message Byte
// Order" radios ("Char 1, Char 2", "Char 2, Char 1") and the "Count and Status Byte Order"
// radios ("High, Low ", "Low, High"). The radios are set once by the pane's initialisation
// and never reloaded, so they keep the operator's last choice.
class CByteOrderControls : public QWidget {
  Q_OBJECT

 public:
  CByteOrderControls(const QString& note, QWidget* parent);

  // Checks the radios of message and count and clears the other two.
  void Check(MessageByteOrder message, CountByteOrder count);
  // The byte order code (0..3) of the checked radios.
  int GetCode() const;

 private:
  QRadioButton* m_pChar1Char2;
  QRadioButton* m_pChar2Char1;
  QRadioButton* m_pHighLow;
  QRadioButton* m_pLowHigh;
};
