#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "message/CommandString.h"

// Decides whether a sign that shows a template is sent its refilled message, and when:
// never the same command string twice in a row, and at most one automatic send per
// interval, so a value that changes faster than that shows its latest value at the end
// of the interval. Times are milliseconds on any steady clock the caller keeps.
class RefreshGate {
 public:
  explicit RefreshGate(int64_t minIntervalMs) : m_minIntervalMs(minIntervalMs) {}

  enum class Verdict { Unchanged, SendNow, Later };
  struct Decision {
    Verdict verdict = Verdict::Unchanged;
    int64_t at = 0;  // Later: when to refill and offer again
  };
  Decision Offer(std::string_view command, int64_t nowMs) const;

  // Records what was sent, by a refresh or by any other send to the sign.
  void Sent(std::string command, int64_t nowMs);

 private:
  int64_t m_minIntervalMs;
  bool m_sentAny = false;
  std::string m_lastCommand;
  int64_t m_lastSentMs = 0;
};

// The codes an automatic refresh sends: as given, but never "save to flash" (flash memory
// wears out with every write).
MessageCodes RefreshCodes(MessageCodes codes);
