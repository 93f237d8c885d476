#include "sim/SimOptions.h"

#include "addressbook/IPEntry.h"
#include "cli/CliOptions.h"
#include "link/TcpRules.h"
#include "preview/MarqueeModels.h"

const char* const kSimUsage =
    "usage: marquee-sim [--model N] [--group G] [--unit U] [--tcp ADDRESS[:PORT]] [--pty]\n"
    "                   [--window | --no-display] [--log FILE] [--flash FILE] [--exit-after N] [--gap MS]\n"
    "A marquee that reads command strings over TCP (port 49999) and/or a pseudo-terminal,\n"
    "shows them in the terminal or a window and logs what it reads (to standard error).\n"
    "  --model N        0 to 13, as the composer's preview list (default 0)\n"
    "  --group G        this marquee's group, 0 to 99 (default 0)\n"
    "  --unit U         this marquee's unit, 0 to 9999 (default 0)\n"
    "  --tcp ADDRESS    listen on ADDRESS, port 49999 unless :PORT is given\n"
    "                   (without --tcp and --pty: 127.0.0.1)\n"
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

}  // namespace

bool ParseSimOptions(std::span<const std::string> args, SimOptions& options, std::string& error) {
  CliOptions parsed({"--model", "--group", "--unit", "--tcp", "--log", "--flash", "--exit-after", "--gap"},
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
