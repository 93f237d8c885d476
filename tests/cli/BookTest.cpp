#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/FileIO.h"
#include "support/CliRun.h"
#include "support/TempDir.h"

namespace {

using namespace std::string_literals;

class BookCommandTest : public ::testing::Test {
 protected:
  CliRun Add(std::vector<std::string> nameAndAddresses) {
    nameAndAddresses.insert(nameAndAddresses.begin(), {"book", "add", m_path});
    return RunTool(nameAndAddresses);
  }
  std::string Bytes() const { return ReadWholeFile(m_path).bytes; }

  TempDir m_dir;
  std::string m_path = m_dir.PathOf("book.nmd");
};

TEST_F(BookCommandTest, AddsEntriesAndListsThemAsThePaneShowsThem) {
  ASSERT_EQ(Add({"A", "10.0.0.5"}).exitCode, kExitOk);
  EXPECT_EQ(Bytes(), "\x01\x00\x41\x00\x01\x00\x00\x0A\x00\x00\x05"s);
  ASSERT_EQ(Add({"Hall", "10.0.0.1", "10.0.0.2", "10.0.0.1"}).exitCode, kExitOk);
  ASSERT_EQ(Add({"Twice", "10.0.0.9", "10.0.0.9"}).exitCode, kExitOk);
  ASSERT_EQ(Add({"Caf\xC3\xA9", "192.168.0.20"}).exitCode, kExitOk);

  CliRun list = RunTool({"book", "list", m_path});
  EXPECT_EQ(list.exitCode, kExitOk);
  EXPECT_EQ(list.out,
            "A [ 10.0.0.5 ]\t10.0.0.5\n"
            "Hall\t10.0.0.1; 10.0.0.2\n"
            "Twice [ 10.0.0.9 ]\t10.0.0.9\n"
            "Caf\xC3\xA9 [ 192.168.0.20 ]\t192.168.0.20\n");
  EXPECT_NE(Bytes().find("Caf\xE9\0"s), std::string::npos);
}

TEST_F(BookCommandTest, RefusesWithTheDialogsMessagesAndKeepsTheFile) {
  ASSERT_EQ(Add({"OFFICE", "10.0.0.1"}).exitCode, kExitOk);
  const std::string before = Bytes();
  const std::pair<std::vector<std::string>, const char*> cases[] = {
      {{"", "10.0.0.2"}, "Name cannot be empty!\n"},
      {{"", "10.0.0.2", "10.0.0.3"}, "Group Name cannot be empty!\n"},
      {{"new", "0.0.0.0"}, "Invalid IP Address!\n"},
      {{"new", "10.0.0.2", "0.0.0.0"}, "Invalid IP Address!\n"},
      {{"office", "10.0.0.2"}, "'office' is already in use.\nPlease specify another name!\n"},
      {{"Office", "10.0.0.2", "10.0.0.3"}, "'Office' is already in use.\nPlease specify another name for the group!\n"},
  };
  for (const auto& [args, message] : cases) {
    CliRun run = Add(args);
    EXPECT_EQ(run.exitCode, kExitFailure) << message;
    EXPECT_EQ(run.err, message);
  }
  EXPECT_EQ(Bytes(), before);
  EXPECT_EQ(Add({" ", "0.0.0.1"}).exitCode, kExitOk);
}

TEST_F(BookCommandTest, UsageErrors) {
  const std::vector<std::vector<std::string>> cases = {
      {"book"},
      {"book", "remove", m_path},
      {"book", "list"},
      {"book", "list", m_path, "extra"},
      {"book", "add", m_path, "A"},
      {"book", "add", m_path, "A", "10.0.0.256"},
      {"book", "add", m_path, "A", "host"},
  };
  for (const auto& args : cases) EXPECT_EQ(RunTool(args).exitCode, kExitUsage) << args.back();
  EXPECT_FALSE(std::filesystem::exists(m_path));
}

TEST_F(BookCommandTest, MissingFileCannotBeListed) {
  CliRun run = RunTool({"book", "list", m_path});
  EXPECT_EQ(run.exitCode, kExitFailure);
  EXPECT_NE(run.err.find("no such file"), std::string::npos);
}

TEST_F(BookCommandTest, DamagedFileIsListedAsFarAsItGoesAndNotChanged) {
  const std::string damaged =
      "\x02\x00"
      "A\0\x01\x00"
      "\0\x0A\x00\x00\x05"
      "B\0\x01"s;
  std::ofstream(m_path, std::ios::binary) << damaged;
  CliRun list = RunTool({"book", "list", m_path});
  EXPECT_EQ(list.exitCode, kExitFailure);
  EXPECT_EQ(list.out, "A [ 10.0.0.5 ]\t10.0.0.5\n");
  EXPECT_NE(list.err.find("entry 2 of 2"), std::string::npos);

  CliRun add = Add({"C", "10.0.0.7"});
  EXPECT_EQ(add.exitCode, kExitFailure);
  EXPECT_NE(add.err.find("left unchanged"), std::string::npos);
  EXPECT_EQ(Bytes(), damaged);
}

}  // namespace
