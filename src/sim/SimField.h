#pragma once

#include <string>
#include <string_view>

// One key=value field of a simulator log line. Keys are literals of the simulator's own.
struct SimField {
  std::string_view key;
  std::string value;

  bool operator==(const SimField&) const = default;
};
