#include <gtest/gtest.h>

#include "addressbook/EntryRules.h"

namespace {

CIPGroup Entry(std::string name, std::vector<IPAddress> addresses) {
  CIPGroup entry(std::move(name));
  for (const IPAddress& address : addresses) entry.m_Members.emplace_back("", address);
  return entry;
}

const std::vector<CIPGroup> kBook = {Entry("OFFICE", {{10, 0, 0, 1}}), Entry("Hall", {{10, 0, 0, 2}, {10, 0, 0, 3}})};

TEST(EntryRules, IPEntryChecks) {
  struct Case {
    const char* name;
    IPAddress address;
    bool adding;
    std::optional<EntryField> field;
    const char* message;
  };
  const Case cases[] = {
      {" ", {10, 0, 0, 9}, true, std::nullopt, ""},  // a single blank is a name
      {"", {10, 0, 0, 9}, true, EntryField::Name, "Name cannot be empty!"},
      {"", {0, 0, 0, 0}, true, EntryField::Name, "Name cannot be empty!"},
      {"new", {0, 0, 0, 0}, true, EntryField::Address, "Invalid IP Address!"},
      {"new", {0, 0, 0, 1}, true, std::nullopt, ""},
      {"new", {255, 255, 255, 255}, true, std::nullopt, ""},
      {"office", {10, 0, 0, 9}, true, EntryField::Name, "'office' is already in use.\nPlease specify another name!"},
      {"hall", {10, 0, 0, 9}, true, EntryField::Name, "'hall' is already in use.\nPlease specify another name!"},
      {"office", {10, 0, 0, 9}, false, std::nullopt, ""},  // editing compares no names
  };
  for (const Case& c : cases) {
    auto problem = CheckIPEntryInput(kBook, c.name, c.address, c.adding);
    ASSERT_EQ(problem.has_value(), c.field.has_value()) << "'" << c.name << "'";
    if (!problem) continue;
    EXPECT_EQ(problem->field, *c.field);
    EXPECT_EQ(problem->message, c.message);
  }
}

TEST(EntryRules, GroupChecks) {
  const std::vector<CIPGroup> members = {kBook[0]};
  struct Case {
    const char* name;
    std::vector<CIPGroup> members;
    bool adding;
    std::optional<EntryField> field;
    const char* message;
  };
  const Case cases[] = {
      {"Yard", members, true, std::nullopt, ""},
      {"", members, true, EntryField::Name, "Group Name cannot be empty!"},
      {"", {}, true, EntryField::Name, "Group Name cannot be empty!"},
      {"Yard", {}, true, EntryField::Members, "There are no IPs to put into group!"},
      {"Office", members, true, EntryField::Name,
       "'Office' is already in use.\nPlease specify another name for the group!"},
      {"HALL", members, false, std::nullopt, ""},
  };
  for (const Case& c : cases) {
    auto problem = CheckIPGroupInput(kBook, c.name, c.members, c.adding);
    ASSERT_EQ(problem.has_value(), c.field.has_value()) << "'" << c.name << "'";
    if (!problem) continue;
    EXPECT_EQ(problem->field, *c.field);
    EXPECT_EQ(problem->message, c.message);
  }
}

TEST(EntryRules, IPEntryHasOneUnnamedMember) {
  EXPECT_EQ(BuildIPEntry("Dock", {10, 1, 2, 3}), Entry("Dock", {{10, 1, 2, 3}}));
}

TEST(EntryRules, GroupKeepsEachAddressOnceInOrderOfFirstAppearance) {
  std::vector<CIPGroup> members = {Entry("a", {{10, 0, 0, 2}}), Entry("b", {{10, 0, 0, 1}, {10, 0, 0, 2}}),
                                   Entry("c", {}), Entry("d", {{10, 0, 0, 3}, {10, 0, 0, 1}})};
  EXPECT_EQ(BuildIPGroup("G", members), Entry("G", {{10, 0, 0, 2}, {10, 0, 0, 1}, {10, 0, 0, 3}}));
}

TEST(EntryRules, GroupOfOneSharedAddressBecomesAnIPEntry) {
  CIPGroup group = BuildIPGroup("G", {Entry("a", {{10, 0, 0, 7}}), Entry("b", {{10, 0, 0, 7}})});
  ASSERT_EQ(group.m_Members.size(), 1u);
  EXPECT_EQ(GetDisplayText(group), "G [ 10.0.0.7 ]");
}

TEST(EntryRules, AnEditStoresInPlaceOnlyForAnEntryThatIsThere) {
  struct Case {
    int editMode;
    int index;
    bool edits;
  };
  const Case cases[] = {{1, 1, true}, {2, 0, true}, {0, 1, false}, {1, -1, false}, {1, 2, false}};
  for (const Case& c : cases) {
    std::vector<CIPGroup> book = kBook;
    EXPECT_EQ(IsEditingEntry(book, c.editMode, c.index), c.edits) << c.editMode << " " << c.index;
    StoreEntry(book, c.editMode, c.index, Entry("New", {{10, 0, 0, 9}}));
    EXPECT_EQ(book.size(), c.edits ? 2u : 3u);
    EXPECT_EQ(book[c.edits ? static_cast<size_t>(c.index) : 2].m_strName, "New");
  }
}

}  // namespace
