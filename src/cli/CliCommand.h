#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

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

const std::vector<CliCommand>& AllCliCommands();

// A subcommand file declares one static CliRegistration to add itself to the tool.
struct CliRegistration {
  explicit CliRegistration(const CliCommand& command);
};

// Runs the tool on argv-style arguments (without the program name). "--help" among a
// subcommand's arguments (before "--") prints its help on out and exits 0.
int RunCli(std::span<const std::string> args, std::ostream& out, std::ostream& err);
