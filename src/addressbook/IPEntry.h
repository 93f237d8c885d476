#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// One IPv4 address with a name. Addresses made by the add and edit dialogs carry an
// empty name: the name the operator types belongs to the entry.
class CIPData {
 public:
  CIPData() = default;
  CIPData(std::string name, std::array<uint8_t, 4> address) : m_strName(std::move(name)), m_Address(address) {}

  bool operator==(const CIPData&) const = default;

  std::string m_strName = "New IP";
  std::array<uint8_t, 4> m_Address{};  // first octet first
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
