#include "gateway/SignOwnership.h"

SignOwnership::SignOwnership(std::string self, const std::vector<std::string>& signs)
    : m_self(std::move(self)), m_signs(signs.begin(), signs.end()) {}

SignOwnership::Actions SignOwnership::OwnerSeen(const std::string& sign, const std::string& owner) {
  if (!m_signs.count(sign)) return {};
  m_owners[sign] = owner;
  return Decide();
}

SignOwnership::Actions SignOwnership::StatusSeen(const std::string& gateway, const std::string& status) {
  if (gateway == m_self) return {};
  m_statuses[gateway] = status;
  return Decide();
}

SignOwnership::Actions SignOwnership::Settled() {
  m_settled = true;
  Actions actions = Decide();
  actions.claim.clear();
  for (const std::string& sign : m_signs) {
    if (m_refused.count(sign)) continue;
    actions.claim.push_back(sign);
    m_owners[sign] = m_self;
  }
  return actions;
}

bool SignOwnership::Drives(std::string_view sign) const {
  return m_signs.count(sign) && !m_refused.count(sign);
}

std::string SignOwnership::OwnerOf(std::string_view sign) const {
  auto found = m_refused.find(sign);
  return found == m_refused.end() ? std::string() : found->second;
}

bool SignOwnership::Online(const std::string& gateway) const {
  auto found = m_statuses.find(gateway);
  // A gateway that has said nothing yet may be starting: do not drive its signs beside it.
  return found == m_statuses.end() || found->second != "offline";
}

SignOwnership::Actions SignOwnership::Decide() {
  Actions actions;
  for (const std::string& sign : m_signs) {
    auto owner = m_owners.find(sign);
    std::string other = owner == m_owners.end() || owner->second == m_self ? std::string() : owner->second;
    bool wasDriven = !m_refused.count(sign);
    std::string drivenBy;
    if (!other.empty() && Online(other)) {
      // Both claimed: the smaller id keeps the sign and says so again.
      bool weWin = wasDriven && m_settled && m_self < other;
      if (!weWin) drivenBy = other;
    }
    if (drivenBy.empty() && m_settled && (owner == m_owners.end() || owner->second != m_self)) {
      actions.claim.push_back(sign);
      // Our claim is the owner of record from now on, until another one arrives.
      m_owners[sign] = m_self;
    }
    if (drivenBy.empty() == wasDriven && (wasDriven || m_refused[sign] == drivenBy)) continue;
    if (drivenBy.empty()) {
      m_refused.erase(sign);
    } else {
      m_refused[sign] = drivenBy;
    }
    actions.changes.push_back({sign, drivenBy});
  }
  return actions;
}
