#pragma once

#include <cstdint>
#include <span>
#include <string>

// The command line of marquee-sim.

enum class SimDisplayKind {
  kTerminal,  // drawn in the terminal when standard output is one
  kWindow,    // a window of its own
  kNone,      // log only
};

struct SimOptions {
  int model = 0;  // index into kMarqueeModels
  int group = 0;
  int unit = 0;
  bool tcp = false;  // listen on tcpAddress:tcpPort
  std::string tcpAddress = "127.0.0.1";
  uint16_t tcpPort = 49999;
  bool pty = false;       // open a pseudo-terminal and print its device path
  std::string logPath;    // empty: the log goes to standard error
  std::string flashPath;  // empty: the flash lasts as long as the program
  SimDisplayKind display = SimDisplayKind::kTerminal;
  int exitAfter = 0;  // end after this many messages; 0: run until stopped
  int idleGapMs = 300;
  bool help = false;
};

extern const char* const kSimUsage;

// Reads the arguments (without the program name). Without --tcp and --pty the simulator
// listens on TCP at 127.0.0.1. False with a message in error when an option is unknown,
// lacks its value or has a value out of range.
bool ParseSimOptions(std::span<const std::string> args, SimOptions& options, std::string& error);
