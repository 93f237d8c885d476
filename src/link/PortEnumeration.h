#pragma once

#include <string>
#include <vector>

// The ports a send can choose from.
struct PortLists {
  // At most 32 port names, sorted: the system's serial ports, then the existing character
  // devices named in MARQUEE_EXTRA_PORTS (colon-separated paths; pseudo-terminals of the
  // simulator and the tests, which the system never lists).
  std::vector<std::string> ports;
  // "<description> (<port name>)" for every system port that has a description, in the order
  // the system reports them.
  std::vector<std::string> friendlyNames;

  bool operator==(const PortLists&) const = default;
};

PortLists EnumeratePorts();
