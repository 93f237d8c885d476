// marquee ports: the port selector's texts, one per line.

#include <ostream>

#include "cli/CliCommand.h"
#include "cli/CliText.h"
#include "common/Text.h"
#include "link/LinkSettings.h"
#include "link/PortEnumeration.h"
#include "link/PortText.h"

namespace {

int RunPorts(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  if (!args.empty()) {
    err << "marquee ports: takes no arguments\n";
    return kExitUsage;
  }
  PortLists lists = EnumeratePorts();
  for (const std::string& port : lists.ports) out << EscapedField(FormatPortText(port, lists.friendlyNames)) << "\n";
  out << kEthernetPortName << "\n";
  return kExitOk;
}

}  // namespace

constinit const CliCommand kPortsCommand{"ports", "ports", RunPorts};
