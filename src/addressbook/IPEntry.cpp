#include "addressbook/IPEntry.h"

#include <charconv>

#include "common/Text.h"

std::string FormatIPAddress(const IPAddress& address) {
  return Format("%d.%d.%d.%d", address[0], address[1], address[2], address[3]);
}

std::string GetDisplayText(const CIPGroup& entry) {
  if (entry.m_Members.size() != 1) return entry.m_strName;
  return entry.m_strName + " [ " + FormatIPAddress(entry.m_Members.front().m_Address) + " ]";
}

std::string GetAddressListText(const CIPGroup& entry) {
  std::string text;
  for (const CIPData& member : entry.m_Members) {
    if (!text.empty()) text += "; ";
    text += FormatIPAddress(member.m_Address);
  }
  return text;
}

std::optional<IPAddress> ParseDottedAddress(std::string_view text) {
  IPAddress address{};
  const char* at = text.data();
  const char* end = text.data() + text.size();
  for (size_t i = 0; i < address.size(); ++i) {
    if (i > 0) {
      if (at == end || *at != '.') return std::nullopt;
      ++at;
    }
    if (at == end || *at < '0' || *at > '9') return std::nullopt;
    unsigned value = 0;
    auto [next, ec] = std::from_chars(at, end, value);
    if (ec != std::errc() || value > 255) return std::nullopt;
    address[i] = static_cast<uint8_t>(value);
    at = next;
  }
  if (at != end) return std::nullopt;
  return address;
}
