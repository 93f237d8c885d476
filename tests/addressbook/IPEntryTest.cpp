#include <gtest/gtest.h>

#include "addressbook/IPEntry.h"

namespace {

CIPGroup Entry(std::string name, std::vector<IPAddress> addresses) {
  CIPGroup entry(std::move(name));
  for (const IPAddress& address : addresses) entry.m_Members.emplace_back("", address);
  return entry;
}

TEST(IPEntry, DisplayTextShowsTheAddressOnlyForExactlyOneMember) {
  EXPECT_EQ(GetDisplayText(Entry("Line 3", {{192, 168, 0, 20}})), "Line 3 [ 192.168.0.20 ]");
  EXPECT_EQ(GetDisplayText(Entry("Hall", {{10, 0, 0, 5}, {10, 0, 0, 6}})), "Hall");
  EXPECT_EQ(GetDisplayText(Entry("Empty", {})), "Empty");
  EXPECT_EQ(GetDisplayText(Entry("Top", {{255, 255, 255, 255}})), "Top [ 255.255.255.255 ]");
}

TEST(IPEntry, AddressListJoinsMembersWithoutTrailingSeparator) {
  EXPECT_EQ(GetAddressListText(Entry("Hall", {{10, 0, 0, 5}, {10, 0, 0, 6}})), "10.0.0.5; 10.0.0.6");
  EXPECT_EQ(GetAddressListText(Entry("One", {{10, 0, 0, 5}})), "10.0.0.5");
  EXPECT_EQ(GetAddressListText(Entry("None", {})), "");
}

TEST(IPEntry, DottedAddressParsingIsStrict) {
  struct Case {
    const char* text;
    std::optional<IPAddress> expected;
  };
  const Case cases[] = {
      {"192.168.0.10", IPAddress{192, 168, 0, 10}},
      {"0.0.0.0", IPAddress{0, 0, 0, 0}},
      {"255.255.255.255", IPAddress{255, 255, 255, 255}},
      {"010.1.1.1", IPAddress{10, 1, 1, 1}},
      {"256.1.1.1", std::nullopt},
      {"1.2.3", std::nullopt},
      {"1.2.3.4.5", std::nullopt},
      {"1..2.3", std::nullopt},
      {"1.2.3.4 ", std::nullopt},
      {" 1.2.3.4", std::nullopt},
      {"+1.2.3.4", std::nullopt},
      {"-1.2.3.4", std::nullopt},
      {"1.2.3.", std::nullopt},
      {"99999999999.1.1.1", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseDottedAddress(c.text), c.expected) << c.text;
}

}  // namespace
