#include "netsetup/NetworkPane.h"

#include "app/NorvMarqueeApp.h"

CNetworkPane::CNetworkPane(QWidget* parent) : CNorvChildDialog(parent) {
  // The page places the pane over its empty pane frame, which the pane hides.
  setAutoFillBackground(true);
}

CLadDeviceNetwork& NetworkSetOf(int networkType) {
  CNorvMarqueeApp& app = theApp();
  CLadDeviceNetwork* set = app.FindNetworkSet(networkType);
  return set ? *set : *app.FindNetworkSet(kNetworkEthernet);
}
