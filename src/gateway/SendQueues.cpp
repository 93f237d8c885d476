#include "gateway/SendQueues.h"

#include <algorithm>
#include <map>

SendQueues::SendQueues(std::vector<std::string> lanes, const QueueConfig& config) : m_config(config) {
  std::map<std::string, size_t> laneIndex;
  m_signs.resize(lanes.size());
  for (size_t i = 0; i < lanes.size(); ++i)
    m_signs[i].lane = laneIndex.emplace(lanes[i], laneIndex.size()).first->second;
  m_laneBusy.assign(laneIndex.size(), false);
}

GatewayTime SendQueues::AgeLimit(const Entry& entry) const {
  return entry.created + int64_t{m_config.maxAgeSeconds} * 1000;
}

int64_t SendQueues::Backoff(int attempts) const {
  int64_t pause = m_config.backoffInitialMs;
  for (int i = 1; i < attempts && pause < m_config.backoffMaxMs; ++i) pause *= 2;
  return std::min<int64_t>(pause, m_config.backoffMaxMs);
}

std::vector<SendQueues::Drop> SendQueues::Add(size_t sign, const Entry& entry, bool supersede) {
  std::vector<Drop> dropped;
  SignQueue& q = m_signs[sign];
  if (supersede) {
    const auto keep = q.queue.begin() + (q.sending ? 1 : 0);
    for (auto it = keep; it != q.queue.end(); ++it) dropped.push_back({sign, it->id, MessageState::kSuperseded});
    q.queue.erase(keep, q.queue.end());
  }
  q.queue.push_back(entry);
  return dropped;
}

std::vector<int64_t> SendQueues::Replaceable(size_t sign) const {
  const SignQueue& q = m_signs[sign];
  std::vector<int64_t> ids;
  for (size_t i = q.sending ? 1 : 0; i < q.queue.size(); ++i) ids.push_back(q.queue[i].id);
  return ids;
}

std::vector<SendQueues::Drop> SendQueues::DropStale(GatewayTime now) {
  std::vector<Drop> dropped;
  for (size_t sign = 0; sign < m_signs.size(); ++sign) {
    SignQueue& q = m_signs[sign];
    auto stale = [&](const Entry& e) {
      if (e.expires && *e.expires <= now) {
        dropped.push_back({sign, e.id, MessageState::kExpired});
        return true;
      }
      if (AgeLimit(e) <= now) {
        dropped.push_back({sign, e.id, MessageState::kFailed});
        return true;
      }
      return false;
    };
    const auto from = q.queue.begin() + (q.sending ? 1 : 0);
    q.queue.erase(std::remove_if(from, q.queue.end(), stale), q.queue.end());
  }
  return dropped;
}

std::vector<SendQueues::Launch> SendQueues::TakeReady(GatewayTime now, int freeSlots) {
  std::vector<Launch> launches;
  const size_t count = m_signs.size();
  size_t lastTaken = m_nextTurn;
  bool tookAny = false;
  for (size_t step = 0; step < count && freeSlots > 0; ++step) {
    const size_t sign = (m_nextTurn + step) % count;
    SignQueue& q = m_signs[sign];
    if (q.sending || q.queue.empty() || m_laneBusy[q.lane] || q.queue.front().notBefore > now) continue;
    Entry& head = q.queue.front();
    ++head.attempts;
    q.sending = true;
    m_laneBusy[q.lane] = true;
    ++m_inFlight;
    --freeSlots;
    launches.push_back({sign, head});
    lastTaken = sign;
    tookAny = true;
  }
  // The next round starts after the last sign served, so a full set of slots never keeps
  // favouring the first signs of the config.
  if (tookAny && count > 0) m_nextTurn = (lastTaken + 1) % count;
  return launches;
}

SendQueues::Finished SendQueues::Finish(size_t sign, bool sent, GatewayTime now) {
  SignQueue& q = m_signs[sign];
  if (!q.sending || q.queue.empty()) return {};
  q.sending = false;
  m_laneBusy[q.lane] = false;
  --m_inFlight;
  Entry& head = q.queue.front();
  Finished finished{head.id, true, head.attempts};
  if (!sent && head.attempts < m_config.retryAttempts) {
    head.notBefore = now + Backoff(head.attempts);
    finished.done = head.notBefore >= AgeLimit(head);
  }
  if (finished.done) q.queue.pop_front();
  return finished;
}

std::optional<GatewayTime> SendQueues::NextWake(GatewayTime now) const {
  std::optional<GatewayTime> wake;
  auto consider = [&wake, now](GatewayTime t) {
    if (t > now) wake = wake ? std::min(*wake, t) : t;
  };
  for (const SignQueue& q : m_signs) {
    if (q.queue.empty()) continue;
    if (!q.sending) consider(q.queue.front().notBefore);
    for (size_t i = q.sending ? 1 : 0; i < q.queue.size(); ++i) {
      const Entry& e = q.queue[i];
      if (e.expires) consider(*e.expires);
      consider(AgeLimit(e));
    }
  }
  return wake;
}
