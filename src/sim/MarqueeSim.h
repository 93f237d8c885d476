#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/CodeScanner.h"
#include "sim/NetworkCards.h"
#include "sim/SimDisplay.h"
#include "sim/SimEvents.h"

// A marquee reading its input stream: the command language without any framing, in pieces
// of any size, back to back. It reports every code and text run as it reads them, and each
// message when it ends; it keeps its display, its flash message and its cards' parameters.
//
// Where a message ends, since the stream does not say: a message is address, header, text
// and tail, in that order. It ends when
// - an address code arrives (it starts the next message),
// - a header code (reset, line size, position, scroll, or "^B1") arrives after text or
//   tail codes (it starts the next message; "^B0" there is the blink-off tail code),
// - text arrives after tail codes (it starts the next message),
// - the flash code arrives (always the last code of a message),
// - nothing has arrived for the idle gap (a sender's whole string comes in one burst), or
// - the caller ends it (end of input).
// A message without an address is for every marquee. Every message's text starts in size
// 1, red, steady. Nothing grows without bound: codes are at most kMaxCodeBytes long, a
// message keeps at most kMaxMessageText bytes of text, text is reported in runs of at most
// kTextRunBytes (text beyond the cap only counted, in SimMessage::droppedTextBytes), and
// the display is capped (SimDisplay.h).
class MarqueeSim : private IScanSink {
 public:
  static constexpr SimTime kDefaultIdleGap{300};
  static constexpr size_t kMaxMessageText = 4096;
  static constexpr size_t kTextRunBytes = 256;

  // group, unit: this marquee's address. listener: gets every report; not owned, must
  // outlive the simulator.
  MarqueeSim(int group, int unit, ISimListener& listener, SimTime idleGap = kDefaultIdleGap);

  // Reads bytes that arrived at `at` (never earlier than the previous call's time). When
  // the idle gap has passed since the last byte, the message in progress ends first.
  void Feed(std::string_view bytes, SimTime at);
  // Ends the message in progress if the idle gap has passed at `at`.
  void Idle(SimTime at);
  // The time at which Idle will end the message in progress; nothing when none is open.
  std::optional<SimTime> IdleDeadline() const;
  // Ends the message in progress now; a code cut off is reported as truncated.
  void EndMessage(SimTime at);

  // Shows a message body kept in flash, as the marquee does when it starts: read as a
  // message of its own, reported like any other.
  void ShowFlashMessage(std::string_view body, SimTime at);

  const SimDisplay& Display() const { return m_display; }
  // The message body kept in flash; nothing when the flash is clear.
  const std::optional<std::string>& FlashMessage() const { return m_flash; }
  const SimCards& Cards() const { return m_cards; }

 private:
  enum class Phase { kNone, kAddress, kHeader, kText, kTail };

  void OnToken(const ScanToken& token) override;
  void OnCode(const ScanToken& token);
  void OnTextByte(char byte);

  // Moves the message in progress to phase, first ending it and starting the next one
  // when phase comes before where it stands.
  void EnterPhase(Phase phase);
  void StartMessage();
  void FinishMessage();
  void FlushTextRun();
  bool Accepts(int group, int unit) const;
  void Report(const ScanToken& token, bool valid, std::string_view meaning, std::vector<SimField> fields = {});
  // Adds to the message's text; false, marking the text cut, when it would not fit.
  bool AddToText(std::string_view raw);

  // The handlers of the code kinds: each acts on its code and reports it.
  void ReadAddress(const ScanToken& token);
  void ReadHeaderCode(const ScanToken& token);
  void ReadBlinkCode(const ScanToken& token);
  void ReadInlineCode(const ScanToken& token);
  void ReadFlashCode(const ScanToken& token);
  void ReadCardCode(const ScanToken& token);

  const int m_group;
  const int m_unit;
  ISimListener& m_listener;
  const SimTime m_idleGap;

  CodeScanner m_scanner;
  SimTime m_now{0};
  SimTime m_lastByte{0};

  Phase m_phase = Phase::kNone;
  SimMessage m_message;
  bool m_effectSet = false;
  bool m_endsWithNewLine = false;  // the last text was "^N": the end mark of a scrolling message
  CHAR_PROP m_attributes;          // size, colour and blinking of the next character
  std::string m_textRun;
  std::vector<int> m_changedCards;

  SimDisplay m_display;
  std::optional<std::string> m_flash;
  SimCards m_cards;
};
