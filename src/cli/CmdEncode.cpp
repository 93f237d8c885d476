#include "cli/CmdEncode.h"

#include <ostream>

#include "cli/CliCommand.h"
#include "message/CurrentMessage.h"

namespace {

constexpr const char* kUsage =
    "encode [--address N] [--group N] [--unit N] [--reset N] [--position N] [--line N] [--column N] [--clear-line] "
    "[--effect N] [--blink-off-at-end] [--flash N] TEXT";

int RunEncode(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  CliOptions options = MessageOptionParser();
  MessageOptions message;
  std::string error;
  if (!options.Parse(args, error) || !ReadMessageOptions(options, message, error)) {
    err << "marquee encode: " << error << "\n";
    return kExitUsage;
  }
  if (options.Positional().size() != 1) {
    err << "usage: marquee " << kUsage << "\n";
    return kExitUsage;
  }
  out << message.settings.BuildCommandString(options.Positional()[0], message.group, message.unit) << "\n";
  return kExitOk;
}

const CliRegistration registration({"encode", kUsage, RunEncode});

}  // namespace

CliOptions MessageOptionParser() {
  return CliOptions(
      {"--address", "--group", "--unit", "--reset", "--position", "--line", "--column", "--effect", "--flash"},
      {"--clear-line", "--blink-off-at-end"});
}

bool ReadMessageOptions(const CliOptions& options, MessageOptions& message, std::string& error) {
  CMsgSettings& settings = message.settings;
  settings.m_bClearLine = options.Flag("--clear-line");
  settings.m_bBlinkOffAtEnd = options.Flag("--blink-off-at-end");
  if (!options.Int("--address", settings.m_nAddressMode, error) || !options.Int("--group", message.group, error) ||
      !options.Int("--unit", message.unit, error) || !options.Int("--reset", settings.m_nResetMode, error) ||
      !options.Int("--position", settings.m_nPosition, error) || !options.Int("--line", settings.m_nLine, error) ||
      !options.Int("--column", settings.m_nColumn, error) || !options.Int("--effect", settings.m_nEffect, error) ||
      !options.Int("--flash", settings.m_nFlashMode, error))
    return false;
  KeepAddressOfMode(settings.m_nAddressMode, message.group, message.unit);
  return true;
}
