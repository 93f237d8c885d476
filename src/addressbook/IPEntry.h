#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Four octets of an IPv4 address, first (most significant) octet first.
using IPAddress = std::array<uint8_t, 4>;

// One IPv4 address with a name. Addresses made by the add and edit dialogs carry an
// empty name: the name the operator types belongs to the entry.
class CIPData {
 public:
  CIPData() = default;
  CIPData(std::string name, IPAddress address) : m_strName(std::move(name)), m_Address(address) {}

  bool operator==(const CIPData&) const = default;

  std::string m_strName = "New IP";
  IPAddress m_Address{};  // first octet first
};

// One address book entry: a name and its member addresses, held by value. One member
// makes an IP entry, several a group. Copies are deep: an entry never refers to another.
class CIPGroup {
 public:
  CIPGroup() = default;
  explicit CIPGroup(std::string name) : m_strName(std::move(name)) {}

  bool operator==(const CIPGroup&) const = default;

  std::string m_strName = "New Group";
  std::vector<CIPData> m_Members;
};

// "%d.%d.%d.%d" of the four octets.
std::string FormatIPAddress(const IPAddress& address);

// How an entry is shown in the "Send To" combo: an IP entry (exactly one member) as
// "name [ a.b.c.d ]", any other entry as its name alone.
std::string GetDisplayText(const CIPGroup& entry);

// The entry's member addresses joined with "; " ("10.0.0.5; 10.0.0.6"); empty for an
// entry without members. This is the "IP Address(es)" column of the entry lists.
std::string GetAddressListText(const CIPGroup& entry);

// Strict dotted-decimal parse for typed input: exactly four decimal numbers 0..255
// separated by single dots, nothing else. Nothing on any other text.
std::optional<IPAddress> ParseDottedAddress(std::string_view text);
