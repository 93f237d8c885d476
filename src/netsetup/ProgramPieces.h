#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "link/PacedWrite.h"
#include "netsetup/LadDeviceNetwork.h"

// Sends one command string to the marquee; true when it was sent. The sender reports its
// own failures.
using CommandSender = std::function<bool(const std::string&)>;

// The pause between the pieces of a programming string: one millisecond less than the
// interval (in milliseconds) the setup page holds; zero or less means no pause.
std::chrono::milliseconds PiecePause(int intervalMs);

// Sends the Ethernet programming string of `set` in pieces, one part per send in the order
// address, unit, byte order, for each part whose flag is set in `set`. Only the first piece
// carries the address prefix of group and unit. A positive pause is slept between two
// pieces and once more after the last one, so the card has time to take in each part.
// Stops at the first failed send and returns false; true when every piece was sent (also
// when no part is selected, after the final pause). `set` itself is left as it was.
bool SendProgramInPieces(const CLadDeviceNetwork& set, std::chrono::milliseconds pause, int group, int unit,
                         const CommandSender& send, const Sleeper& sleep);
