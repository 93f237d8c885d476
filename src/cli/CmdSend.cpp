// marquee send: sends a command string to a marquee over a serial port or TCP.

#include <QCoreApplication>
#include <optional>
#include <ostream>

#include "addressbook/IPEntry.h"
#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "cli/CliText.h"
#include "cli/CmdEncode.h"
#include "cli/ConsolePrompter.h"
#include "common/Text.h"
#include "link/PortEnumeration.h"
#include "link/SendToMarquee.h"
#include "message/CommandDecoder.h"
#include "preview/MarqueeModels.h"

namespace {

// Qt's serial port watches its descriptor with socket notifiers, which need an application
// object; the tool has none unless a command makes one.
class CoreApplicationScope {
 public:
  CoreApplicationScope() {
    if (!QCoreApplication::instance()) m_app.emplace(m_argc, m_argv);
  }

 private:
  int m_argc = 1;
  char m_name[8] = "marquee";
  char* m_argv[2] = {m_name, nullptr};
  std::optional<QCoreApplication> m_app;
};

int RunSend(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  CliOptions options({"--port", "--baud", "--to", "--model"}, {"--check", "--repeated"});
  std::string error;
  int baud = 9600;
  if (!options.Parse(args, error) || !options.Int("--baud", baud, error)) {
    err << "marquee send: " << error << "\n";
    return kExitUsage;
  }
  auto usage = [&err](const std::string& message) {
    err << "marquee send: " << message << "\n";
    return kExitUsage;
  };
  if (options.Positional().size() != 1) return usage("give exactly one STRING to send");
  if (baud != 9600 && baud != 38400) return usage("--baud must be 9600 or 38400");

  LinkSettings settings;
  settings.baudRate = baud;
  for (const std::string& address : options.Values("--to")) {
    auto octets = ParseDottedAddress(address);
    if (!octets) return usage("'" + address + "' is not an IP address (a.b.c.d)");
    settings.sendTarget.m_Members.emplace_back("", *octets);
  }
  const bool toAddresses = !settings.sendTarget.m_Members.empty();
  if (auto port = options.Value("--port")) {
    settings.portName = *port;
  } else if (toAddresses) {
    settings.portName = kEthernetPortName;
  } else {
    std::vector<std::string> ports = EnumeratePorts().ports;
    if (ports.empty()) {
      err << "marquee send: no serial port found; name one with --port or send over Ethernet with --to\n";
      return kExitFailure;
    }
    settings.portName = ports.front();
  }
  const bool ethernet = EqualsNoCase(settings.portName, kEthernetPortName);
  if (ethernet && !toAddresses) return usage("--port Ethernet needs at least one --to address");
  if (!ethernet && toAddresses) return usage("--to sends over Ethernet; leave out --port or give --port Ethernet");

  std::string bytes;
  if (!ArgumentBytes(options.Positional().front(), "STRING", Unmappable::Refuse, bytes, error)) {
    err << "marquee send: " << error << "\n";
    return kExitFailure;
  }
  if (options.Flag("--check")) {
    CheckOptions check;
    if (!options.Int("--model", check.model, error)) return usage(error);
    if (check.model < 0 || check.model >= kMarqueeModelCount) return usage("--model must lie in 0 to 13");
    check.sentRepeatedly = options.Flag("--repeated");
    if (PrintFindings(CheckMessage(DecodeCommandString(bytes).message, check), false, err) != kExitOk) {
      err << "marquee send: not sent; the check found the above\n";
      return kExitFailure;
    }
  } else if (options.Has("--model") || options.Flag("--repeated")) {
    return usage("--model and --repeated apply to --check only");
  }

  CoreApplicationScope qt;
  ConsolePrompter prompter(out, err);
  return SendToMarquee(bytes, settings, prompter, nullptr).ok() ? kExitOk : kExitFailure;
}

}  // namespace

constinit const CliCommand kSendCommand{
    "send", "send [--port NAME] [--baud 9600|38400] [--to IP ...] [--check [--model N] [--repeated]] STRING", RunSend,
    "  --check          run `marquee check` on STRING first; findings stop the send (exit 1)\n"};
