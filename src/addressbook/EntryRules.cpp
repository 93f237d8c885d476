#include "addressbook/EntryRules.h"

#include <algorithm>
#include <set>

#include "common/Text.h"

namespace {

constexpr const char* kEntryAdvice = "Please specify another name!";
constexpr const char* kGroupAdvice = "Please specify another name for the group!";

EntryProblem NameInUse(std::string_view name, const char* advice) {
  return {EntryField::Name, "'" + CodePageToUtf8(name) + "' is already in use.\n" + advice};
}

}  // namespace

bool IsNameInUse(const std::vector<CIPGroup>& book, std::string_view name) {
  return std::any_of(book.begin(), book.end(),
                     [&](const CIPGroup& entry) { return EqualsNoCase(entry.m_strName, name); });
}

std::optional<EntryProblem> CheckIPAddress(const IPAddress& address) {
  if (address == IPAddress{}) return EntryProblem{EntryField::Address, "Invalid IP Address!"};
  return std::nullopt;
}

std::optional<EntryProblem> CheckNameBytes(const CodePageText& name, bool group) {
  if (name.status.ok()) return std::nullopt;
  const std::string what =
      name.unmappable.empty()
          ? name.status.message()
          : "The name holds characters that have no Windows-1252 byte: " + DescribeUnmappable(name.unmappable) + ".";
  return EntryProblem{EntryField::Name, what + "\n" + (group ? kGroupAdvice : kEntryAdvice)};
}

std::optional<EntryProblem> CheckIPEntryInput(const std::vector<CIPGroup>& book, std::string_view name,
                                              const IPAddress& address, bool adding) {
  if (name.empty()) return EntryProblem{EntryField::Name, "Name cannot be empty!"};
  if (auto problem = CheckIPAddress(address)) return problem;
  if (adding && IsNameInUse(book, name)) return NameInUse(name, kEntryAdvice);
  return std::nullopt;
}

std::optional<EntryProblem> CheckIPGroupInput(const std::vector<CIPGroup>& book, std::string_view name,
                                              const std::vector<CIPGroup>& members, bool adding) {
  if (name.empty()) return EntryProblem{EntryField::Name, "Group Name cannot be empty!"};
  if (members.empty()) return EntryProblem{EntryField::Members, "There are no IPs to put into group!"};
  if (adding && IsNameInUse(book, name)) return NameInUse(name, kGroupAdvice);
  return std::nullopt;
}

CIPGroup BuildIPEntry(std::string name, const IPAddress& address) {
  CIPGroup entry(std::move(name));
  entry.m_Members.emplace_back("", address);
  return entry;
}

CIPGroup BuildIPGroup(std::string name, const std::vector<CIPGroup>& members) {
  CIPGroup group(std::move(name));
  std::set<IPAddress> seen;
  for (const CIPGroup& member : members)
    for (const CIPData& address : member.m_Members)
      if (seen.insert(address.m_Address).second) group.m_Members.push_back(address);
  return group;
}

bool IsEditingEntry(const std::vector<CIPGroup>& book, int editMode, int entryIndex) {
  return editMode != 0 && entryIndex >= 0 && static_cast<size_t>(entryIndex) < book.size();
}

void StoreEntry(std::vector<CIPGroup>& book, int editMode, int entryIndex, CIPGroup entry) {
  if (IsEditingEntry(book, editMode, entryIndex))
    book[static_cast<size_t>(entryIndex)] = std::move(entry);
  else
    book.push_back(std::move(entry));
}
