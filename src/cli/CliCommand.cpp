#include "cli/CliCommand.h"

#include <algorithm>
#include <cstring>
#include <ostream>

static std::vector<CliCommand>& Registry() {
  static std::vector<CliCommand> commands;
  return commands;
}

const std::vector<CliCommand>& AllCliCommands() { return Registry(); }

CliRegistration::CliRegistration(const CliCommand& command) {
  auto& commands = Registry();
  auto at = std::lower_bound(commands.begin(), commands.end(), command,
                             [](const CliCommand& a, const CliCommand& b) { return std::strcmp(a.name, b.name) < 0; });
  commands.insert(at, command);
}

static void PrintUsage(std::ostream& out) {
  out << "usage: marquee COMMAND [options] [arguments]\n"
         "Builds, inspects and sends LED marquee command strings.\n\ncommands:\n";
  for (const CliCommand& command : AllCliCommands()) out << "  " << command.usage << "\n";
  out << "\nNumbers are the values of the message attributes; texts are Latin-1 with inline codes.\n";
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
  for (const CliCommand& command : AllCliCommands())
    if (args[0] == command.name) return command.run(args.subspan(1), out, err);
  err << "marquee: unknown command '" << args[0] << "' (try marquee --help)\n";
  return kExitUsage;
}
