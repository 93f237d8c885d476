#include "netsetup/NetworkPane.h"

#include <QGroupBox>
#include <QVBoxLayout>

#include "app/NorvMarqueeApp.h"

CNetworkPane::CNetworkPane(QWidget* parent) : CNorvChildDialog(parent) {
  // The page places the pane over its empty pane frame, which the pane hides.
  setAutoFillBackground(true);
}

void CNetworkPane::FillWith(QGroupBox* box) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(box);
}

void CNetworkPane::FillWith(QGroupBox* box, QLayout* fields, QWidget* byteOrder) {
  auto* boxLayout = new QVBoxLayout(box);
  boxLayout->addLayout(fields);
  boxLayout->addSpacing(fontMetrics().height() / 2);
  boxLayout->addWidget(byteOrder);
  boxLayout->addStretch(1);
  FillWith(box);
}

CLadDeviceNetwork& NetworkSetOf(int networkType) {
  CNorvMarqueeApp& app = theApp();
  CLadDeviceNetwork* set = app.FindNetworkSet(networkType);
  return set ? *set : *app.FindNetworkSet(kNetworkEthernet);
}
