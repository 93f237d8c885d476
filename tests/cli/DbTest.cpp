#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <utility>

#include "common/FileIO.h"
#include "support/CliRun.h"
#include "support/TempDir.h"

namespace {

class CmdDb : public ::testing::Test {
 protected:
  int RunTool(const std::vector<std::string>& args) {
    CliRun run = ::RunTool(args);
    m_out = std::move(run.out);
    m_err = std::move(run.err);
    return run.exitCode;
  }

  TempDir m_dir;
  std::string m_path = m_dir.PathOf("NorvMarquee.nmd");
  std::string m_out;
  std::string m_err;
};

const std::string kFixture = MARQUEE_TEST_DATA "/three_messages.nmd";

TEST_F(CmdDb, ListPrintsTheDatabaseColumns) {
  ASSERT_EQ(RunTool({"db", "list", kFixture}), kExitOk) << m_err;
  EXPECT_EQ(m_out,
            "HELLO\tSpecific Unit\t1\t5\tStarting at\t2\t10\tClear Display, Home cursor\tBlink whole message\t"
            "Save to Flash\n"
            "AB\xC2\xB6"
            "CD\tBroadCast\t0\t0\tCenter\t0\t0\tDo Nothing\tScroll once\tSave to Flash\n"
            "Caf\xC3\xA9\tSpecific Unit\t3\t25\tStarting at\t8\t7\tClear Display, cursor unchanged\t"
            "Scroll Repeatedly\tClear Flash\n");
}

TEST_F(CmdDb, LinesPrintsGroupUnitAndStoredLine) {
  ASSERT_EQ(RunTool({"db", "lines", kFixture}), kExitOk) << m_err;
  EXPECT_EQ(m_out,
            "1\t5\t^E0^L0^C0^M0210^B1^K0^dC1HELLO^Y1\n"
            "0\t0\t^L1^C1^D0^K0^dC1AB^N^K1^dC2^X1CD^N^Y1\n"
            "3\t25\t^E2^L0^C0^H0807^D1^K0^dC3Caf\xC3\xA9^N^Y0\n");
}

TEST_F(CmdDb, AddCreatesTheFileThenAppends) {
  ASSERT_EQ(RunTool({"db", "add", m_path, "--effect", "3", "--flash", "1", "^K0^dC1A^N^K0^dC1B"}), kExitOk) << m_err;
  ASSERT_EQ(RunTool({"db", "add", m_path, "--address", "1", "--group", "2", "^K1^dC2C"}), kExitOk) << m_err;
  ASSERT_EQ(RunTool({"db", "lines", m_path}), kExitOk) << m_err;
  EXPECT_EQ(m_out, "0\t0\t^L0^C1^D1^K0^dC1A^N^K0^dC1B^N^Y0\n2\t0\t^L1^C1^K1^dC2C\n");
  EXPECT_FALSE(std::filesystem::exists(m_path + ".new"));
}

TEST_F(CmdDb, MissingFileIsAnError) {
  EXPECT_EQ(RunTool({"db", "list", m_path}), kExitFailure);
  EXPECT_NE(m_err.find(m_path), std::string::npos);
  EXPECT_TRUE(m_out.empty());
}

TEST_F(CmdDb, DamagedFilePrintsWhatCouldBeReadThenFails) {
  std::ofstream(m_path, std::ios::binary) << ReadWholeFile(kFixture).bytes.substr(0, 100);
  EXPECT_EQ(RunTool({"db", "list", m_path}), kExitFailure);
  EXPECT_EQ(std::count(m_out.begin(), m_out.end(), '\n'), 2);
  EXPECT_NE(m_err.find("cut short"), std::string::npos);
}

TEST_F(CmdDb, AddLeavesADamagedFileAlone) {
  std::string damaged = ReadWholeFile(kFixture).bytes.substr(0, 100);
  std::ofstream(m_path, std::ios::binary) << damaged;
  EXPECT_EQ(RunTool({"db", "add", m_path, "X"}), kExitFailure);
  EXPECT_EQ(ReadWholeFile(m_path).bytes, damaged);
}

TEST_F(CmdDb, AHeaderCountThatDisagreesIsNotedAndAllMessagesListed) {
  std::string bytes = ReadWholeFile(kFixture).bytes;
  bytes[7] = 9;
  std::ofstream(m_path, std::ios::binary) << bytes;
  EXPECT_EQ(RunTool({"db", "list", m_path}), kExitOk);
  EXPECT_EQ(std::count(m_out.begin(), m_out.end(), '\n'), 3);
  EXPECT_NE(m_err.find("note: " + m_path + ": the header counts 9 messages"), std::string::npos) << m_err;
}

TEST_F(CmdDb, WritersInTwoProcessesAtOnceLoseNothing) {
  constexpr int kRounds = 15;
  for (int round = 0; round < kRounds; ++round) {
    pid_t children[2];
    for (int i = 0; i < 2; ++i) {
      children[i] = ::fork();
      ASSERT_GE(children[i], 0);
      if (children[i] == 0) {
        std::ostringstream out;
        std::ostringstream err;
        const std::vector<std::string> args = {"db", "add", m_path, "message " + std::to_string(round * 2 + i)};
        ::_exit(RunCli(args, out, err));
      }
    }
    for (pid_t child : children) {
      int status = 0;
      ASSERT_EQ(::waitpid(child, &status, 0), child);
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == kExitOk) << round;
    }
  }
  ASSERT_EQ(RunTool({"db", "list", m_path}), kExitOk) << m_err;
  EXPECT_EQ(std::count(m_out.begin(), m_out.end(), '\n'), 2 * kRounds);
  EXPECT_TRUE(m_err.empty()) << m_err;
}

TEST_F(CmdDb, UsageErrors) {
  const std::vector<std::string> cases[] = {
      {"db"},
      {"db", "show", kFixture},
      {"db", "list"},
      {"db", "list", kFixture, "extra"},
      {"db", "add", m_path},
      {"db", "add", m_path, "--flash", "y", "A"},
  };
  for (const auto& args : cases) EXPECT_EQ(RunTool(args), kExitUsage) << args.back();
  EXPECT_FALSE(std::filesystem::exists(m_path));
}

}  // namespace
