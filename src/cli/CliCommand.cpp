#include "cli/CliCommand.h"

#include <algorithm>
#include <cstring>
#include <ostream>

#include "cli/CmdEncode.h"

static std::vector<CliCommand>& Registry() {
  static std::vector<CliCommand> commands;
  return commands;
}

const std::vector<CliCommand>& AllCliCommands() {
  return Registry();
}

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
  for (const CliCommand& command : AllCliCommands()) {
    if (args[0] != command.name) continue;
    std::span<const std::string> rest = args.subspan(1);
    auto end = std::find(rest.begin(), rest.end(), "--");
    if (std::find(rest.begin(), end, "--help") != end) {
      PrintCommandHelp(command, out);
      return kExitOk;
    }
    return command.run(rest, out, err);
  }
  err << "marquee: unknown command '" << args[0] << "' (try marquee --help)\n";
  return kExitUsage;
}
