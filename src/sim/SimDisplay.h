#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "message/CharProp.h"
#include "message/MsgAttributes.h"
#include "sim/SimEvents.h"

// What the simulated marquee shows: its text lines and how the whole display is laid out
// and animated (the preview renderer's position and effect).
struct SimDisplay {
  std::vector<LINE1_PROP> lines;
  int position = kPositionDefault;
  int startLine = 1;    // with "Starting at"
  int startColumn = 1;  // with "Starting at"
  int effect = kEffectDefault;
  uint64_t revision = 0;  // changes with every change: the scrolling starts over
  uint64_t resets = 0;    // counts the resets ("^E1"): the whole animation starts over

  bool operator==(const SimDisplay&) const = default;
};

// The display holds at most this many lines (the oldest go first) of at most this many
// characters (later ones are dropped), however long messages keep adding to it.
constexpr size_t kMaxDisplayLines = 32;
constexpr size_t kMaxLineCharacters = 512;

// Shows an accepted message. A message of only card or flash commands changes nothing.
// Otherwise, first its reset: "^E0" and "^E1" clear the display (the cursor goes home),
// "^E2" blanks every character where it stands (the cursor stays), "^E3" empties the
// last line (the cursor goes to its start), "^C0^H" clears the display; without one the
// text goes on at the cursor, the end of the last line. Then the text is added there,
// and the message's position and effect (absent: "Default") become the display's. A
// "^B0" after the text turns blinking off: the display no longer blinks, or, while it
// scrolls, its characters stop blinking.
void ShowMessage(SimDisplay& display, const SimMessage& message);
