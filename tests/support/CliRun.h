#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/CliCommand.h"

// The outcome of one in-process run of the command-line tool.
struct CliRun {
  int exitCode;
  std::string out;
  std::string err;
};

inline CliRun RunTool(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  int exitCode = RunCli(args, out, err);
  return {exitCode, out.str(), err.str()};
}
