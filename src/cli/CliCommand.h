#pragma once

#include <iosfwd>
#include <span>
#include <string>

// Exit statuses of the command-line tool.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// One subcommand of `marquee`: its name, a usage line for --help, and its body, which
// gets the arguments after the subcommand name. Output goes to out; errors to err.
struct CliCommand {
  const char* name;
  const char* usage;
  int (*run)(std::span<const std::string> args, std::ostream& out, std::ostream& err);
  const char* help = nullptr;        // what --help prints after the usage line, or nothing
  bool takesMessageOptions = false;  // --help lists the message options too
};

// The subcommands, one per Cmd*.cpp file, each a constant; the command table in
// CliCommand.cpp lists them. ports and send need the Qt services and exist only in
// builds that have them (MARQUEE_CLI_SERVICES).
extern const CliCommand kBookCommand;
extern const CliCommand kBrandCommand;
extern const CliCommand kCheckCommand;
extern const CliCommand kDbCommand;
extern const CliCommand kDecodeCommand;
extern const CliCommand kEncodeCommand;
extern const CliCommand kNetCommand;
extern const CliCommand kPortsCommand;
extern const CliCommand kPreviewCommand;
extern const CliCommand kSendCommand;

// The command table, in the order --help lists it (by name).
std::span<const CliCommand* const> AllCliCommands();

// Runs the tool on argv-style arguments (without the program name). "--help" among a
// subcommand's arguments (before "--") prints its help on out and exits 0.
int RunCli(std::span<const std::string> args, std::ostream& out, std::ostream& err);
