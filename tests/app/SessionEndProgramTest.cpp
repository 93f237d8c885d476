// The real program, ended as the system ends it: by SIGTERM (shutdown), SIGHUP (logout) and
// SIGINT. Each must save what closing the window saves, then exit.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "common/FileIO.h"
#include "support/ChildProcess.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr auto kPatience = std::chrono::seconds(30);

// True once the process catches signal: its handler is in place.
bool Catches(pid_t pid, int signal) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("SigCgt:", 0) == 0) return (std::stoull(line.substr(7), nullptr, 16) >> (signal - 1)) & 1;
  return false;
}

class SessionEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(m_dataFolder);
    fs::create_directories(m_runtime);
    fs::permissions(m_runtime, fs::perms::owner_all);
    ::setenv("HOME", m_home.path().c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", m_runtime.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (m_home.path() / ".config").c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The database's header counts 9 messages for its 3: a save writes 3.
    std::string bytes = ReadWholeFile(MARQUEE_TEST_DATA "/three_messages.nmd").bytes;
    bytes[7] = 9;
    std::ofstream(m_database, std::ios::binary) << bytes;
  }

  // Starts the program and waits until it takes signal.
  std::unique_ptr<ChildProcess> Start(int signal, const std::string& path = FERROMARQUEE_PROGRAM) {
    auto program = std::make_unique<ChildProcess>(std::vector<std::string>{path});
    const auto deadline = Clock::now() + kPatience;
    while (program->started() && !Catches(program->pid(), signal) && Clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return program;
  }

  std::string SavedCount() const { return std::to_string(ReadWholeFile(m_database).bytes.at(7)); }

  TempDir m_home;
  fs::path m_runtime = m_home.path() / "runtime";
  fs::path m_dataFolder = m_home.path() / "Documents" / "NorvAutomation" / "NorvMarquee";
  std::string m_database = (m_dataFolder / "NorvMarquee.nmd").string();
  std::string m_addressBook = (m_dataFolder / "NorvMarqueeIP.nmd").string();
};

TEST_F(SessionEnd, EachEndingSignalSavesTheDataFilesThenExits) {
  for (int signal : {SIGTERM, SIGHUP, SIGINT}) {
    SCOPED_TRACE(strsignal(signal));
    fs::remove(m_addressBook);
    std::ofstream(m_database, std::ios::binary | std::ios::in | std::ios::out).seekp(7).put(9);
    auto program = Start(signal);
    ASSERT_TRUE(Catches(program->pid(), signal));
    const auto sent = Clock::now();
    program->Signal(signal);
    EXPECT_EQ(program->WaitExit(kPatience), 0);
    const auto ended = std::chrono::duration<double, std::milli>(Clock::now() - sent).count();
    // Signal to exit is what closing the window to exit takes: recorded, never judged.
    RecordProperty(std::string("signal_to_exit_ms_") + strsignal(signal), std::to_string(ended));
    EXPECT_EQ(SavedCount(), "3");
    EXPECT_TRUE(fs::exists(m_addressBook));
  }
}

TEST_F(SessionEnd, AFailingSaveWaitsForTheOperatorAndChangesNothing) {
  fs::create_directory(m_database + ".lock");  // saving cannot take the file's lock
  auto program = Start(SIGTERM);
  ASSERT_TRUE(Catches(program->pid(), SIGTERM));
  program->Signal(SIGTERM);
  // The question whether to try again is up; only the operator's No would end the program.
  EXPECT_FALSE(program->WaitExit(std::chrono::seconds(3)).has_value());
  EXPECT_TRUE(fs::exists("/proc/" + std::to_string(program->pid()))) << "not ended by the signal";
  EXPECT_EQ(SavedCount(), "9");
}

// The settings live under the program file's name less its last extension only: a name with
// dots in it keeps all but the last part.
TEST_F(SessionEnd, SettingsSubkeyIsTheProgramNameWithoutItsExtension) {
  const fs::path copy = m_home.path() / "Ferro.Marquee.bin";
  fs::copy_file(FERROMARQUEE_PROGRAM, copy);
  auto program = Start(SIGTERM, copy.string());
  ASSERT_TRUE(Catches(program->pid(), SIGTERM));
  program->Signal(SIGTERM);
  // Only the ending matters here; the exit status of a signalled end has its own test.
  ASSERT_TRUE(program->WaitExit(kPatience).has_value());
  const fs::path key = m_home.path() / ".config" / "NorvMarquee 1.2.39";
  EXPECT_TRUE(fs::exists(key / "Ferro.Marquee.conf"));
  EXPECT_FALSE(fs::exists(key / "Ferro.conf"));
}

}  // namespace
