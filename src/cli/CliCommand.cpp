#include "cli/CliCommand.h"

#include <algorithm>
#include <ostream>

#include "cli/CmdEncode.h"

// Every entry is constant-initialised, so the table is whole before any code runs.
constexpr const CliCommand* kCommands[] = {
    &kBookCommand,    &kBrandCommand, &kCheckCommand, &kDbCommand, &kDecodeCommand, &kEncodeCommand, &kNetCommand,
#ifdef MARQUEE_CLI_SERVICES
    &kPortsCommand,
#endif
    &kPreviewCommand,
#ifdef MARQUEE_CLI_SERVICES
    &kSendCommand,
#endif
};

std::span<const CliCommand* const> AllCliCommands() {
  return kCommands;
}

static void PrintUsage(std::ostream& out) {
  out << "usage: marquee COMMAND [options] [arguments]\n"
         "Builds, inspects and sends LED marquee command strings.\n\ncommands:\n";
  for (const CliCommand* command : AllCliCommands()) out << "  " << command->usage << "\n";
  out << "\nEvery command answers --help. Texts are UTF-8 on the command line and Windows-1252 on the marquee.\n";
}

static void PrintCommandHelp(const CliCommand& command, std::ostream& out) {
  out << "usage: marquee " << command.usage << "\n";
  if (command.help) out << command.help;
  if (command.takesMessageOptions) out << kMessageOptionsHelp;
  out << "  --help           this text\n  --               ends the options\n";
}

int RunCli(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    PrintUsage(err);
    return kExitUsage;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    PrintUsage(out);
    return kExitOk;
  }
  for (const CliCommand* command : AllCliCommands()) {
    if (args[0] != command->name) continue;
    std::span<const std::string> rest = args.subspan(1);
    auto end = std::find(rest.begin(), rest.end(), "--");
    if (std::find(rest.begin(), end, "--help") != end) {
      PrintCommandHelp(*command, out);
      return kExitOk;
    }
    return command->run(rest, out, err);
  }
  err << "marquee: unknown command '" << args[0] << "' (try marquee --help)\n";
  return kExitUsage;
}
