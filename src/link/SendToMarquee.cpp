#include "link/SendToMarquee.h"

#include "common/BusyIndicator.h"
#include "common/Text.h"
#include "link/SerialLink.h"
#include "link/TcpSend.h"

bool SendToMarquee(const std::string& command, const LinkSettings& settings, IPrompter& prompter, IBusyIndicator* busy,
                   const Sleeper& sleep) {
  BusyScope busyScope(busy);
  if (EqualsNoCase(settings.portName, kEthernetPortName)) return SendToGroup(command, settings.sendTarget, prompter);

  SerialLink link;
  LinkResult result = link.OpenPort(settings.portName, settings);
  if (result.ok())
    result = WriteWithCaretPauses(
        command, [&link](char c) { return link.WritePort(std::string_view(&c, 1)); }, sleep);
  link.ClosePort();
  ShowLinkError(result, prompter);
  return result.ok();
}
