// The simulator's stream reading over arbitrary bytes: no crash, no hang, nothing beyond
// its caps; the same reports however the bytes are cut into pieces; and a flash message
// it kept reads back as a message.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "sim/MarqueeSim.h"
#include "sim/SimLog.h"

static void Require(bool condition) {
  if (!condition) std::abort();
}

namespace {

struct Run {
  std::vector<std::string> lines;  // without their times
  SimLogWriter writer{[this](std::string_view line) { lines.emplace_back(line.substr(line.find(' '))); }};
  MarqueeSim sim{1, 5, writer};
};

void CheckCaps(const MarqueeSim& sim) {
  const SimDisplay& display = sim.Display();
  Require(display.lines.size() <= kMaxDisplayLines);
  for (const LINE1_PROP& line : display.lines) Require(line.size() <= kMaxLineCharacters);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view stream(reinterpret_cast<const char*>(data), size);

  Run whole;
  whole.sim.Feed(stream, SimTime{0});
  whole.sim.EndMessage(SimTime{0});
  CheckCaps(whole.sim);

  // Pieces whose lengths come from the bytes themselves, within one idle gap.
  Run pieces;
  size_t at = 0;
  SimTime now{0};
  while (at < size) {
    const size_t length = 1 + static_cast<uint8_t>(stream[at]) % 7;
    pieces.sim.Feed(stream.substr(at, length), now);
    at += length;
  }
  pieces.sim.EndMessage(now);
  Require(pieces.lines == whole.lines);

  // The same pieces with idle gaps between some of them.
  Run gaps;
  at = 0;
  while (at < size) {
    const size_t length = 1 + static_cast<uint8_t>(stream[at]) % 5;
    gaps.sim.Feed(stream.substr(at, length), now);
    if (stream[at] & 1) gaps.sim.Idle(now + MarqueeSim::kDefaultIdleGap);
    now += (stream[at] & 2) ? MarqueeSim::kDefaultIdleGap : SimTime{1};
    at += length;
  }
  gaps.sim.EndMessage(now);
  CheckCaps(gaps.sim);

  if (const std::optional<std::string>& flash = whole.sim.FlashMessage()) {
    Run restarted;
    restarted.sim.ShowFlashMessage(*flash, SimTime{0});
    CheckCaps(restarted.sim);
  }
  return 0;
}
