#pragma once

#include "app/NorvChildDialog.h"

class QComboBox;
class QLabel;

// The serial line pane of the "PC Communication Setup" page, shown for a COM port: the baud
// rate ("9600" or "38400") to choose, and the parity, data bits and stop bits, which are fixed,
// to read. The choice reaches the application only through StoreBaudRate. Needs theApp().
class CCommPropDlg : public CNorvChildDialog {
  Q_OBJECT

 public:
  explicit CCommPropDlg(QWidget* parent = nullptr);

  // Shows the application's line settings. A baud rate that is not in the list leaves the
  // list's selection as it was.
  void LoadLineSettings();
  // The chosen baud rate becomes the application's; nothing when none is chosen.
  void StoreBaudRate();

 private:
  QLabel* m_pStopBits;
  QLabel* m_pParity;
  QLabel* m_pDataBits;
  QComboBox* m_pBaudRate;
};
