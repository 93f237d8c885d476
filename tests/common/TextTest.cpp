#include <gtest/gtest.h>

#include <climits>

#include "common/Text.h"

TEST(Text, FormatFollowsPrintf) {
  EXPECT_EQ(Format("^A%02d%04d", 1, 5), "^A010005");
  EXPECT_EQ(Format("%d.%d.%d.%d", 192, 168, 0, 5), "192.168.0.5");
  EXPECT_EQ(Format("%s", ""), "");
  EXPECT_EQ(Format("%s", std::string(5000, 'x').c_str()).size(), 5000u);
}

TEST(Text, LeadingIntFollowsAtoiAndSaturates) {
  EXPECT_EQ(LeadingInt("1\n"), 1);
  EXPECT_EQ(LeadingInt(" 2"), 2);
  EXPECT_EQ(LeadingInt("2x"), 2);
  EXPECT_EQ(LeadingInt("x2"), 0);
  EXPECT_EQ(LeadingInt(""), 0);
  EXPECT_EQ(LeadingInt("-12ab"), -12);
  EXPECT_EQ(LeadingInt("+7"), 7);
  EXPECT_EQ(LeadingInt("99999999999999999999"), INT_MAX);
  EXPECT_EQ(LeadingInt("-99999999999999999999"), INT_MIN);
}

TEST(Text, CaseInsensitiveComparisons) {
  EXPECT_TRUE(EqualsNoCase("ETHERNET", "Ethernet"));
  EXPECT_FALSE(EqualsNoCase("Ethernet", "Ethernet "));
  EXPECT_TRUE(StartsWithNoCase("com1            Communications", "COM1"));
  EXPECT_FALSE(StartsWithNoCase("COM", "COM1"));
  EXPECT_EQ(ToUpperAscii("com3"), "COM3");
}
