#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "gateway/Gateway.h"
#include "gateway/GatewayConfig.h"

// Which message goes to which sign when: one FIFO per sign, at most one send in flight per
// sign and per lane (a serial port, or a TCP address shared by several signs), at most
// maxParallel sends at once, retries after a growing pause, expiry and an age bound. Plain
// bookkeeping on the caller's clock; the caller does the sending and the storing.
class SendQueues {
 public:
  struct Entry {
    int64_t id = 0;
    GatewayTime created = 0;
    std::optional<GatewayTime> expires;
    GatewayTime notBefore = 0;  // the next attempt waits until then
    int attempts = 0;           // sends tried so far
  };

  // A message leaving the queues without being sent.
  struct Drop {
    size_t sign = 0;
    int64_t id = 0;
    MessageState state = MessageState::kExpired;  // kExpired, kSuperseded or kFailed
  };

  // A send to start now; its entry's attempts already count it.
  struct Launch {
    size_t sign = 0;
    Entry entry;
  };

  // lanes[i]: the lane of sign i; signs with equal lanes never send at the same time.
  SendQueues(std::vector<std::string> lanes, const QueueConfig& config);

  // Appends a message to its sign's FIFO. With supersede, the sign's queued messages that
  // are not in flight leave as kSuperseded (returned, oldest first).
  std::vector<Drop> Add(size_t sign, const Entry& entry, bool supersede);

  // Removes every queued message (not in flight) whose expiry time has come (kExpired)
  // or whose age reached the bound (kFailed).
  std::vector<Drop> DropStale(GatewayTime now);

  // Starts as many sends as may start now, at most freeSlots, taking the signs in turn so
  // none waits behind the others.
  std::vector<Launch> TakeReady(GatewayTime now, int freeSlots);

  // The send of a sign's head message ended. Sent: the message leaves. Failed: it stays at
  // the head for another attempt after a pause (initial pause, doubled per attempt up to
  // the bound), unless its attempts or age are used up: then it leaves and true is
  // reported as done.
  struct Finished {
    int64_t id = 0;
    bool done = false;  // the message left the queue (sent, or attempts or age used up)
    int attempts = 0;
  };
  Finished Finish(size_t sign, bool sent, GatewayTime now);

  // The earliest time after now that something falls due (a retry, an expiry, an age
  // bound); nothing when nothing will. What is due already waits for a free slot or lane,
  // which only a Finish brings.
  std::optional<GatewayTime> NextWake(GatewayTime now) const;

  // The ids of the sign's messages that Add with supersede would replace, oldest first.
  std::vector<int64_t> Replaceable(size_t sign) const;

  int Depth(size_t sign) const { return static_cast<int>(m_signs[sign].queue.size()); }
  bool InFlight(size_t sign) const { return m_signs[sign].sending; }
  int InFlightTotal() const { return m_inFlight; }

 private:
  struct SignQueue {
    std::deque<Entry> queue;
    size_t lane = 0;
    bool sending = false;  // the head is in flight
  };

  GatewayTime AgeLimit(const Entry& entry) const;
  int64_t Backoff(int attempts) const;

  QueueConfig m_config;
  std::vector<SignQueue> m_signs;
  std::vector<bool> m_laneBusy;
  size_t m_nextTurn = 0;
  int m_inFlight = 0;
};
