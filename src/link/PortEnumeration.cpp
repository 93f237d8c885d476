#include "link/PortEnumeration.h"

#include <QSerialPortInfo>
#include <cstdlib>

#include "common/QtText.h"
#include "link/PortDevice.h"
#include "link/PortList.h"

PortLists EnumeratePorts() {
  PortLists lists;
  std::vector<std::string> names;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    std::string name = info.portName().toLocal8Bit().toStdString();
    std::string friendly = FriendlyPortName(FromQString(info.description()), name);
    if (!friendly.empty()) lists.friendlyNames.push_back(std::move(friendly));
    names.push_back(std::move(name));
  }
  lists.ports = SelectPortNames(names, kSystemPortNaming);

  const char* extraList = std::getenv("MARQUEE_EXTRA_PORTS");
  std::vector<std::string> extras;
  for (std::string& path : SplitPathList(extraList ? extraList : "")) {
    int code = CheckPortDevice(path).code;
    if (code != kLinkInvalidPort && code != kLinkSendError) extras.push_back(std::move(path));
  }
  AppendExtraPorts(lists.ports, extras);
  return lists;
}
