#pragma once

#include <string>
#include <string_view>
#include <vector>

// How a port name is shown in the port selectors and read back from there.

// With a friendly name that contains "(" + name + ")", the name padded with blanks to
// 16 characters (15 when the name has 5 or more), then the friendly name without its
// last name-length + 2 characters: "COM1" with "Communications Port (COM1)" gives
// "COM1" + 12 blanks + "Communications Port ". Without one, the name itself. The first
// matching friendly name counts.
std::string FormatPortText(std::string_view name, const std::vector<std::string>& friendlyNames);

// The port name in a shown text: the text before its first blank when that blank is at
// position 4 or later, else the whole text ("Ethernet", a port without friendly name).
std::string ParsePortText(std::string_view text);
