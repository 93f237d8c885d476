#pragma once

#include "app/NorvChildDialog.h"

class CLadDeviceNetwork;
class QGroupBox;
class QLayout;

// A network parameter pane: it shows the fields of one parameter set of the application
// (the set of the selected network type) inside the network setup page. The pane keeps no
// copy of the parameters beyond what its controls show; the controls keep what the operator
// typed until the page calls Load again.
class CNetworkPane : public CNorvChildDialog {
  Q_OBJECT

 public:
  explicit CNetworkPane(QWidget* parent);

  // Shows the parameter set in the controls (and labels them for the selected type).
  virtual void Load() = 0;
  // Reads and checks the controls and stores them into the parameter set. On a refused
  // value it has shown its message and put the focus on the field, and returns false.
  virtual bool ReadAndValidate() = 0;

 protected:
  // Fills the pane with its outer group box.
  void FillWith(QGroupBox* box);
  // Fills the pane with its outer group box, which shows fields above the byte order controls.
  void FillWith(QGroupBox* box, QLayout* fields, QWidget* byteOrder);
};

// The application's parameter set of a network type (1 to 4); any other type gives the
// Ethernet set.
CLadDeviceNetwork& NetworkSetOf(int networkType);
