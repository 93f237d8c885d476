#pragma once

// A marquee-gateway program run by a test: its config and its state folder in the test's
// folder, its HTTP port read from the line it prints when it listens.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "support/ChildProcess.h"

struct GatewayProgram {
  std::unique_ptr<ChildProcess> process;
  uint16_t port = 0;  // 0: it did not start
};

// Starts the gateway NAME on the TOML config, with its state in DIR/NAME (kept across starts).
inline GatewayProgram StartGateway(const std::string& dir, const std::string& name, const std::string& config) {
  const std::filesystem::path state = std::filesystem::path(dir) / name;
  std::filesystem::create_directories(state);
  const std::string path = (state / "gateway.toml").string();
  std::ofstream(path) << config;
  GatewayProgram gateway;
  gateway.process = std::make_unique<ChildProcess>(
      std::vector<std::string>{MARQUEE_GATEWAY_PROGRAM, "--config", path, "--state", state.string()});
  if (auto line = gateway.process->WaitForLineStarting(ChildProcess::kErr, "marquee-gateway: listening on"))
    gateway.port = static_cast<uint16_t>(std::stoi(line->substr(line->rfind(':') + 1)));
  return gateway;
}

// [[signs]] tables: sign "sI" on ADDRESS_PREFIX + I with the tag, I from first to last.
inline std::string SignsToml(int first, int last, const std::string& addressPrefix, const std::string& tag) {
  std::string toml;
  for (int i = first; i <= last; ++i)
    toml += "[[signs]]\nname = \"s" + std::to_string(i) + "\"\ntcp = \"" + addressPrefix + std::to_string(i) +
            "\"\ntags = [\"" + tag + "\"]\n";
  return toml;
}
