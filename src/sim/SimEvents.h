#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "message/CharProp.h"
#include "message/CommandString.h"
#include "sim/NetworkCards.h"
#include "sim/SimField.h"

// What the simulated marquee reports while it reads its stream.

// Time since the simulator started. Callers supply it, so tests run on a clock of their own.
using SimTime = std::chrono::milliseconds;

enum class SimCodeStatus {
  kAccepted,   // read and acted on
  kIgnored,    // read, but the message is addressed to another marquee
  kInvalid,    // a known code whose value the marquee has no use for ("^E7", "^P2B300")
  kUnknown,    // a caret and a byte that begin no code
  kTruncated,  // the start of a code, cut off
};

std::string_view StatusName(SimCodeStatus status);

// One code, or one run of text bytes, in the order they arrived.
struct SimCodeEvent {
  bool isText = false;
  SimCodeStatus status = SimCodeStatus::kAccepted;
  std::string_view raw;          // the bytes as received
  std::string_view meaning;      // what the marquee does with a code; empty for text and broken codes
  std::vector<SimField> fields;  // the code's values (group, unit, line, ...)
};

// How a message was addressed.
enum class SimAddressKind {
  kNone,       // no "^A": every marquee takes it
  kBroadcast,  // group 0, unit 0
  kGroup,      // unit 0: every marquee of the group
  kUnit,       // one marquee, by group and unit
};

// One message as the marquee read it, reported when it ends.
struct SimMessage {
  SimAddressKind addressKind = SimAddressKind::kNone;
  int group = 0;
  int unit = 0;
  bool accepted = true;
  // reset, position ("Default" without a position code), line and column (only with
  // "Starting at"), clear-line flag, effect, flash.
  MessageCodes codes{0, 1, 0, 0, false, 0, 0};
  int lineSize = -1;  // the digit of "^L"; -1 without one
  bool blinkOffAtEnd = false;
  // The text with its inline codes, as received, without the scroll end mark; codes that
  // are not part of the language are left out (they are logged on their own).
  std::string text;
  bool textCut = false;         // text beyond the marquee's message buffer was dropped
  size_t droppedTextBytes = 0;  // how many text bytes that was (codes in it are reported)
  // The text as the marquee shows it: from size 1, red, steady; "^K4" is size 5.
  std::vector<LINE1_PROP> lines;
  // Whether the message carried any header code or text (rather than only card or flash
  // commands); only such a message changes the display.
  bool showsSomething = false;
};

enum class SimFlashChange { kSaved, kCleared, kShown };

class ISimListener {
 public:
  virtual ~ISimListener() = default;
  virtual void OnCode(SimTime at, const SimCodeEvent& code) = 0;
  virtual void OnMessage(SimTime at, const SimMessage& message) = 0;
  // stored: the message body kept in flash (empty when cleared).
  virtual void OnFlash(SimTime at, SimFlashChange change, std::string_view stored) = 0;
  // A card whose parameters or state a message changed, reported after that message.
  virtual void OnCard(SimTime at, const SimCard& card) = 0;
};
