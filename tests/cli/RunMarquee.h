#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/CliCommand.h"

// What one in-process run of the tool gave.
struct CliRun {
  int status;
  std::string out;
  std::string err;
};

inline CliRun RunMarquee(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  int status = RunCli(args, out, err);
  return {status, out.str(), err.str()};
}
