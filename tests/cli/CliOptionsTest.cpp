#include <gtest/gtest.h>

#include "cli/CliOptions.h"

TEST(CliOptions, SeparatesOptionsFlagsAndPositionals) {
  CliOptions options({"--group", "--to"}, {"--clear-line"});
  std::vector<std::string> args{"--group", "2", "--to", "10.0.0.1", "TEXT", "--clear-line", "--to", "10.0.0.2"};
  std::string error;
  ASSERT_TRUE(options.Parse(args, error)) << error;
  int group = 0;
  ASSERT_TRUE(options.Int("--group", group, error));
  EXPECT_EQ(group, 2);
  EXPECT_TRUE(options.Flag("--clear-line"));
  EXPECT_EQ(options.Values("--to"), (std::vector<std::string>{"10.0.0.1", "10.0.0.2"}));
  EXPECT_EQ(options.Positional(), std::vector<std::string>{"TEXT"});
}

TEST(CliOptions, DoubleDashEndsOptionsSoTextMayStartWithDashes) {
  CliOptions options({}, {});
  std::vector<std::string> args{"--", "--not-an-option", "-"};
  std::string error;
  ASSERT_TRUE(options.Parse(args, error));
  EXPECT_EQ(options.Positional(), (std::vector<std::string>{"--not-an-option", "-"}));
}

TEST(CliOptions, UsageErrors) {
  std::string error;
  std::vector<std::string> unknown{"--bogus"};
  EXPECT_FALSE(CliOptions({}, {}).Parse(unknown, error));
  EXPECT_NE(error.find("--bogus"), std::string::npos);

  std::vector<std::string> missing{"--group"};
  EXPECT_FALSE(CliOptions({"--group"}, {}).Parse(missing, error));

  CliOptions options({"--group"}, {});
  std::vector<std::string> notNumber{"--group", "2x"};
  ASSERT_TRUE(options.Parse(notNumber, error));
  int group = 5;
  EXPECT_FALSE(options.Int("--group", group, error));
  EXPECT_EQ(group, 5);
}

TEST(CliOptions, WholeIntegers) {
  int value = 0;
  EXPECT_TRUE(ParseWholeInt("-3", value));
  EXPECT_EQ(value, -3);
  EXPECT_TRUE(ParseWholeInt("+4", value));
  EXPECT_EQ(value, 4);
  EXPECT_FALSE(ParseWholeInt("", value));
  EXPECT_FALSE(ParseWholeInt("12 ", value));
  EXPECT_FALSE(ParseWholeInt("99999999999", value));
}
