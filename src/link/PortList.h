#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The port selector never lists more ports than this.
inline constexpr size_t kMaxPorts = 32;

// How the system names its serial ports, which decides what is kept and how it is sorted.
enum class PortNaming {
  Windows,  // device names; keeps "COM<n>" with n from 1 to 256, the first 32 found, sorted by n
  Posix,    // serial tty names (ttyS1, ttyUSB0); sorted by the name without its trailing digits, then
            // by those digits as a number, so ttyS2 comes before ttyS10
};

// Turns the system's device names, in the order the system gave them, into the port list:
// at most kMaxPorts names, sorted. Equal sort keys keep their given order.
std::vector<std::string> SelectPortNames(const std::vector<std::string>& deviceNames, PortNaming naming);

// Adds extra port names after the system's ports, in their given order, skipping names already
// listed and keeping at most kMaxPorts names in all.
void AppendExtraPorts(std::vector<std::string>& ports, const std::vector<std::string>& extras);

// Splits a colon-separated list of paths (the form of MARQUEE_EXTRA_PORTS); empty entries are dropped.
std::vector<std::string> SplitPathList(std::string_view list);

// The friendly name of a port device, "<description> (<port name>)"; empty when the device
// has no description, since such a port is shown by its bare name.
std::string FriendlyPortName(std::string_view description, std::string_view portName);

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
