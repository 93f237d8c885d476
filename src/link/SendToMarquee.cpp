#include "link/SendToMarquee.h"

#include "common/BusyIndicator.h"
#include "common/Text.h"
#include "link/SerialLink.h"
#include "link/TcpSend.h"

LinkResult SendOverSerial(const std::string& command, const LinkSettings& settings, const Sleeper& sleep) {
  SerialLink link;
  LinkResult result = link.OpenPort(settings.portName, settings);
  if (result.ok())
    result = WriteWithCaretPauses(
        command, [&link](char c) { return link.WritePort(std::string_view(&c, 1)); }, sleep);
  link.ClosePort();
  return result;
}

LinkResult SendOverLink(const std::string& command, const LinkSettings& settings, const Sleeper& sleep) {
  if (EqualsNoCase(settings.portName, kEthernetPortName)) return SendToGroup(command, settings.sendTarget);
  return SendOverSerial(command, settings, sleep);
}

LinkResult SendToMarquee(const std::string& command, const LinkSettings& settings, IPrompter& prompter,
                         IBusyIndicator* busy, const Sleeper& sleep) {
  const BusyScope busyScope(busy);
  LinkResult result = SendOverLink(command, settings, sleep);
  ShowLinkError(result, prompter);
  return result;
}
