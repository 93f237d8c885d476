#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "message/CommandMessage.h"

// The checks to run before a message is sent: what would make the sign show something
// other than what was meant. Used by `marquee check`, `marquee send --check` and the
// gateway. Nothing here fails; a clean message gives no findings.

struct CheckOptions {
  int model = 0;                // marquee model index 0 to 13; any other index skips the model rules
  bool sentRepeatedly = false;  // the message is meant to be sent again and again
};

struct CheckFinding {
  enum Kind {
    kUndrawable,         // a character the model's fonts have no glyph for (shown dark); space is fine
    kTooWide,            // a line the preview cuts: wider than the model in its sizes
    kTooTall,            // lines the preview cuts or leaves below the view: taller than the model
    kFlashSaveRepeated,  // "^Y1" in a message sent repeatedly: every send writes the flash
    kTypedCode,          // caret codes in the text that reading the message back takes as attributes
  };
  Kind kind;
  std::string detail;  // one line of UTF-8, e.g. `"é" (U+00E9) at line 1, column 4: no glyph, shown dark`

  bool operator==(const CheckFinding&) const = default;
};

// "undrawable-character", "line-too-wide", "too-many-lines", "flash-save-repeated",
// "typed-code": the names for scripts and JSON.
std::string_view FindingKindName(CheckFinding::Kind kind);

// The findings in the order of the kinds above, each kind in text order. Characters are
// reported once per distinct character (its first place and how often it occurs).
std::vector<CheckFinding> CheckMessage(const CommandMessage& message, const CheckOptions& options);
