#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

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
  // --tcp-range: one marquee per address, each with its own state, all on tcpPort; empty
  // without the option.
  std::vector<std::string> tcpRange;
  bool pty = false;       // open a pseudo-terminal and print its device path
  std::string logPath;    // empty: the log goes to standard error
  std::string flashPath;  // empty: the flash lasts as long as the program
  SimDisplayKind display = SimDisplayKind::kTerminal;
  int exitAfter = 0;  // end after this many messages; 0: run until stopped
  int idleGapMs = 300;
  bool help = false;
};

extern const char* const kSimUsage;

// The most addresses --tcp-range takes: each is a listener of its own.
inline constexpr int kMaxSimRange = 4096;

// Reads the arguments (without the program name). Without --tcp and --pty the simulator
// listens on TCP at 127.0.0.1. False with a message in error when an option is unknown,
// lacks its value or has a value out of range.
bool ParseSimOptions(std::span<const std::string> args, SimOptions& options, std::string& error);
