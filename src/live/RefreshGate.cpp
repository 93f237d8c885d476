#include "live/RefreshGate.h"

#include <utility>

#include "message/MsgAttributes.h"

RefreshGate::Decision RefreshGate::Offer(std::string_view command, int64_t nowMs) const {
  if (m_sentAny && command == m_lastCommand) return {Verdict::Unchanged, 0};
  if (!m_sentAny || nowMs - m_lastSentMs >= m_minIntervalMs) return {Verdict::SendNow, nowMs};
  return {Verdict::Later, m_lastSentMs + m_minIntervalMs};
}

void RefreshGate::Sent(std::string command, int64_t nowMs) {
  m_sentAny = true;
  m_lastCommand = std::move(command);
  m_lastSentMs = nowMs;
}

MessageCodes RefreshCodes(MessageCodes codes) {
  if (codes.flashMode == kFlashSave) codes.flashMode = kFlashNothing;
  return codes;
}
