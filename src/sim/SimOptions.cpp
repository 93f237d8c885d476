#include "sim/SimOptions.h"

#include "addressbook/IPEntry.h"
#include "cli/CliOptions.h"
#include "link/TcpRules.h"
#include "preview/MarqueeModels.h"

const char* const kSimUsage =
    "usage: marquee-sim [--model N] [--group G] [--unit U] [--tcp ADDRESS[:PORT]] [--pty]\n"
    "                   [--window | --no-display] [--log FILE] [--flash FILE] [--exit-after N] [--gap MS]\n"
    "       marquee-sim --tcp-range FIRST-LAST[:PORT] [--model N] [--group G] [--unit U] [--log FILE] [--gap MS]\n"
    "A marquee that reads command strings over TCP (port 49999) and/or a pseudo-terminal,\n"
    "shows them in the terminal or a window and logs what it reads (to standard error).\n"
    "  --model N        0 to 13, as the composer's preview list (default 0)\n"
    "  --group G        this marquee's group, 0 to 99 (default 0)\n"
    "  --unit U         this marquee's unit, 0 to 9999 (default 0)\n"
    "  --tcp ADDRESS    listen on ADDRESS, port 49999 unless :PORT is given\n"
    "                   (without --tcp and --pty: 127.0.0.1)\n"
    "  --tcp-range FIRST-LAST[:PORT]\n"
    "                   one marquee per address from FIRST to LAST (at most 4096), each with its\n"
    "                   own state; every log line ends in sign=ADDRESS\n"
    "  --pty            open a pseudo-terminal and print its device path on standard output\n"
    "  --window         show the sign in a window instead of the terminal\n"
    "  --no-display     show nothing, only log\n"
    "  --log FILE       append the log to FILE instead of standard error\n"
    "  --flash FILE     keep the flash message in FILE and show it on start\n"
    "  --exit-after N   end after N messages\n"
    "  --gap MS         a pause this long ends a message (default 300, 10 to 60000)\n";

namespace {

struct IntOption {
  const char* name;
  int* value;
  int minimum;
  int maximum;
};

// ADDRESS or ADDRESS:PORT.
bool ReadTcpOption(const std::string& text, SimOptions& options, std::string& error) {
  const size_t colon = text.find(':');
  const std::string address = text.substr(0, colon);
  if (!ParseDottedAddress(address)) {
    error = "--tcp needs an IPv4 address like 127.0.0.1, got '" + address + "'";
    return false;
  }
  int port = kMarqueeTcpPort;
  if (colon != std::string::npos && (!ParseWholeInt(text.substr(colon + 1), port) || port < 1 || port > 65535)) {
    error = "--tcp port must be 1 to 65535";
    return false;
  }
  options.tcp = true;
  options.tcpAddress = address;
  options.tcpPort = static_cast<uint16_t>(port);
  return true;
}

// FIRST-LAST or FIRST-LAST:PORT, FIRST not above LAST.
bool ReadTcpRange(const std::string& text, SimOptions& options, std::string& error) {
  const size_t dash = text.find('-');
  const size_t colon = text.find(':');
  const std::optional<IPAddress> first = ParseDottedAddress(text.substr(0, dash));
  const std::optional<IPAddress> last =
      dash == std::string::npos ? std::nullopt : ParseDottedAddress(text.substr(dash + 1, colon - dash - 1));
  if (!first || !last) {
    error = "--tcp-range needs FIRST-LAST like 127.0.2.1-127.0.2.200, got '" + text + "'";
    return false;
  }
  auto number = [](const IPAddress& a) {
    return (uint32_t{a[0]} << 24) | (uint32_t{a[1]} << 16) | (uint32_t{a[2]} << 8) | uint32_t{a[3]};
  };
  const uint32_t from = number(*first);
  const uint32_t to = number(*last);
  if (to < from || to - from >= static_cast<uint32_t>(kMaxSimRange)) {
    error = "--tcp-range must go upwards and hold at most " + std::to_string(kMaxSimRange) + " addresses";
    return false;
  }
  int port = kMarqueeTcpPort;
  if (colon != std::string::npos && (!ParseWholeInt(text.substr(colon + 1), port) || port < 1 || port > 65535)) {
    error = "--tcp-range port must be 1 to 65535";
    return false;
  }
  for (uint32_t n = from; n <= to; ++n)
    options.tcpRange.push_back(FormatIPAddress({static_cast<uint8_t>(n >> 24), static_cast<uint8_t>(n >> 16),
                                                static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(n)}));
  options.tcp = true;
  options.tcpPort = static_cast<uint16_t>(port);
  options.display = SimDisplayKind::kNone;
  return true;
}

}  // namespace

bool ParseSimOptions(std::span<const std::string> args, SimOptions& options, std::string& error) {
  CliOptions parsed(
      {"--model", "--group", "--unit", "--tcp", "--tcp-range", "--log", "--flash", "--exit-after", "--gap"},
      {"--pty", "--window", "--no-display", "--help"});
  if (!parsed.Parse(args, error)) return false;
  if (!parsed.Positional().empty()) {
    error = "unexpected argument '" + parsed.Positional().front() + "'";
    return false;
  }
  options.help = parsed.Flag("--help");
  const IntOption ranged[] = {
      {"--model", &options.model, 0, kMarqueeModelCount - 1},
      {"--group", &options.group, 0, 99},
      {"--unit", &options.unit, 0, 9999},
      {"--exit-after", &options.exitAfter, 1, 1000000},
      {"--gap", &options.idleGapMs, 10, 60000},
  };
  for (const IntOption& option : ranged) {
    if (!parsed.Has(option.name)) continue;
    if (!parsed.Int(option.name, *option.value, error)) return false;
    if (*option.value < option.minimum || *option.value > option.maximum) {
      error = std::string(option.name) + " must be " + std::to_string(option.minimum) + " to " +
              std::to_string(option.maximum);
      return false;
    }
  }
  if (const auto tcp = parsed.Value("--tcp"); tcp && !ReadTcpOption(*tcp, options, error)) return false;
  if (const auto range = parsed.Value("--tcp-range")) {
    // The others name one marquee's listener, terminal, window or flash file.
    for (const char* single : {"--tcp", "--pty", "--window", "--flash", "--exit-after"})
      if (parsed.Has(single)) {
        error = std::string("--tcp-range cannot go with ") + single;
        return false;
      }
    if (!ReadTcpRange(*range, options, error)) return false;
    options.logPath = parsed.Value("--log").value_or("");
    return true;
  }
  options.pty = parsed.Flag("--pty");
  if (!options.tcp && !options.pty) options.tcp = true;
  options.logPath = parsed.Value("--log").value_or("");
  options.flashPath = parsed.Value("--flash").value_or("");
  if (parsed.Flag("--window") && parsed.Flag("--no-display")) {
    error = "give --window or --no-display, not both";
    return false;
  }
  options.display = parsed.Flag("--window")       ? SimDisplayKind::kWindow
                    : parsed.Flag("--no-display") ? SimDisplayKind::kNone
                                                  : SimDisplayKind::kTerminal;
  return true;
}
