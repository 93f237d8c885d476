// marquee ports: the port selector's texts, one per line.

#include <ostream>
#include <utility>
#include <vector>

#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "cli/CliText.h"
#include "common/Text.h"
#include "link/LinkSettings.h"
#include "link/PortEnumeration.h"
#include "link/PortText.h"

namespace {

constexpr const char* kHelp =
    "  --json           print [{\"port\": NAME, \"text\": what the port selector shows}, ...]\n";

int RunPorts(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  CliOptions options({}, {"--json"});
  std::string error;
  if (!options.Parse(args, error) || !options.Positional().empty()) {
    err << "marquee ports: " << (error.empty() ? "takes no arguments" : error) << "\n";
    return kExitUsage;
  }
  PortLists lists = EnumeratePorts();
  std::vector<std::pair<std::string, std::string>> ports;
  for (const std::string& port : lists.ports) ports.emplace_back(port, FormatPortText(port, lists.friendlyNames));
  ports.emplace_back(kEthernetPortName, kEthernetPortName);
  if (options.Flag("--json")) {
    nlohmann::json list = nlohmann::json::array();
    for (const auto& [port, text] : ports)
      list.push_back({{"port", CodePageToUtf8(port)}, {"text", CodePageToUtf8(text)}});
    PrintJson(out, list);
  } else {
    for (const auto& port : ports) out << EscapedField(port.second) << "\n";
  }
  return kExitOk;
}

}  // namespace

constinit const CliCommand kPortsCommand{
    "ports", "ports [--json]  the serial ports and Ethernet, as the port selector lists them", RunPorts, kHelp};
