// marquee send: sends a command string to a marquee over a serial port or TCP.

#include <QCoreApplication>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <random>

#include "addressbook/IPEntry.h"
#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "cli/CliText.h"
#include "cli/CmdEncode.h"
#include "cli/ConsolePrompter.h"
#include "cli/MqttPublish.h"
#include "common/Text.h"
#include "link/PortEnumeration.h"
#include "link/SendToMarquee.h"
#include "message/CommandDecoder.h"
#include "message/MessageJson.h"
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

constexpr const char* kDirectOptions[] = {"--port", "--baud", "--to", "--check", "--model", "--repeated"};
constexpr const char* kMqttOptions[] = {
    "--sign",  "--prefix",           "--timeout",  "--address", "--group",      "--unit",
    "--reset", "--position",         "--line",     "--column",  "--clear-line", "--effect",
    "--flash", "--blink-off-at-end", "--from-json"};

// A message id unique enough that the gateway drops only true redeliveries of this one.
std::string NewCommandId() {
  std::random_device random;
  return Format("marquee-%08x%08x", random(), random());
}

// send --mqtt: the message, in the JSON form the gateway takes, published to the sign's
// topic; done when the broker acknowledges it. Prints the message id.
int SendOverMqtt(const CliOptions& options, std::ostream& out, std::ostream& err) {
  auto usage = [&err](const std::string& message) {
    err << "marquee send: " << message << "\n";
    return kExitUsage;
  };
  for (const char* option : kDirectOptions)
    if (options.Has(option)) return usage(std::string(option) + " does not apply to --mqtt");
  MqttPublishRequest request;
  const std::string broker = *options.Value("--mqtt");
  const size_t colon = broker.rfind(':');
  request.host = broker.substr(0, colon);
  if (colon != std::string::npos) {
    int port = 0;
    if (!ParseWholeInt(broker.substr(colon + 1), port) || port < 1 || port > 65535)
      return usage("--mqtt takes HOST or HOST:PORT with a port of 1 to 65535");
    request.port = static_cast<uint16_t>(port);
  }
  if (request.host.empty()) return usage("--mqtt takes HOST or HOST:PORT");
  const std::string sign = options.Value("--sign").value_or("");
  const std::string prefix = options.Value("--prefix").value_or("marquee");
  if (sign.empty() || sign.find_first_of(std::string_view("/+#\0", 4)) != std::string::npos)
    return usage("--mqtt needs --sign NAME (not empty, no '/', '+' or '#')");
  if (prefix.empty() || prefix.find_first_of("+#") != std::string::npos)
    return usage("--prefix must be a topic without '+' or '#'");
  int seconds = 10;
  std::string error;
  if (!options.Int("--timeout", seconds, error)) return usage(error);
  if (seconds < 1 || seconds > 600) return usage("--timeout must lie in 1 to 600 seconds");
  request.timeoutMs = seconds * 1000;

  CommandMessage message;
  if (int read = ReadCommandMessage(options, message, error); read != kExitOk) {
    err << "marquee send: " << error << "\n";
    return read;
  }
  nlohmann::json payload = MessageToJsonValue(message);
  // Without an address of its own the message goes to the sign's configured address.
  if (!options.Has("--address") && !options.Has("--from-json"))
    for (const char* key : {"address", "group", "unit"}) payload.erase(key);
  const std::string id = NewCommandId();
  payload["id"] = id;
  request.topic = prefix + "/signs/" + sign + "/message/set";
  request.payload = payload.dump();
  if (Status published = PublishAndConfirm(request); !published.ok()) {
    err << "marquee send: not sent: " << published.message() << "\n";
    return kExitFailure;
  }
  out << id << "\n";
  return kExitOk;
}

int RunSend(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  CliOptions options = MessageOptionParser(
      {"--port", "--baud", "--to", "--model", "--mqtt", "--sign", "--prefix", "--timeout"}, {"--check", "--repeated"});
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
  if (options.Has("--mqtt")) return SendOverMqtt(options, out, err);
  for (const char* option : kMqttOptions)
    if (options.Has(option)) return usage(std::string(option) + " applies to --mqtt only");
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
  if (!ArgumentBytes(options.Positional().front(), "STRING", ReplaceMode(options), bytes, error)) {
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
    "send",
    "send [--port NAME] [--baud 9600|38400] [--to IP ...] [--check [--model N] [--repeated]] [--replace] STRING | "
    "send --mqtt HOST[:PORT] --sign NAME [--prefix P] [--timeout S] [message options] TEXT  send to a marquee",
    RunSend,
    "  --check          run `marquee check` on STRING first; findings stop the send (exit 1)\n"
    "  --replace        characters without a Windows-1252 byte become \"?\" instead of an error\n"
    "  --mqtt HOST[:PORT] publish the message (TEXT with the message options, or --from-json) to a\n"
    "                   gateway through an MQTT broker (port 1883 unless given), at QoS 1, on\n"
    "                   PREFIX/signs/NAME/message/set, with a message id (printed) against redelivery;\n"
    "                   done when the broker acknowledges it. Without --address the gateway uses the\n"
    "                   sign's own address.\n"
    "  --sign NAME      the gateway's sign\n"
    "  --prefix P       the topic prefix (default marquee)\n"
    "  --timeout S      give up after S seconds (1-600, default 10)\n",
    true};
