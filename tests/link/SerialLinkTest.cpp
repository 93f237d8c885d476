// The serial link against pseudo-terminals standing in for marquees.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <termios.h>

#include <fstream>

#include "link/SendToMarquee.h"
#include "link/SerialLink.h"
#include "support/CountingBusy.h"
#include "support/PtyPair.h"
#include "support/RecordingPrompter.h"
#include "support/TempDir.h"

namespace {

using namespace std::chrono_literals;

LinkSettings SettingsFor(const std::string& port) {
  LinkSettings settings;
  settings.portName = port;
  return settings;
}

}  // namespace

TEST(SerialLink, EveryByteArrivesExactly) {
  PtyPair pty;
  ASSERT_TRUE(pty.ok());
  std::string command;
  for (int i = 0; i < 256; ++i) command += static_cast<char>(i);  // every byte value, NUL and '^' included
  command += "^E1Hello^N\r\n";
  pty.StartReading(command.size());
  RecordingPrompter prompter;
  CountingBusy busy;
  EXPECT_TRUE(SendToMarquee(command, SettingsFor(pty.path()), prompter, &busy, [](auto) {}).ok());
  pty.StopReading();
  EXPECT_EQ(pty.received(), command);
  EXPECT_TRUE(prompter.errors.empty());
  EXPECT_EQ(busy.begun, 1);
  EXPECT_EQ(busy.ended, 1);
}

TEST(SerialLink, EveryCaretWaitsTenMillisecondsFirst) {
  PtyPair pty;
  ASSERT_TRUE(pty.ok());
  const std::string command = "^E1Hello^N^^x";
  pty.StartReading(command.size());
  RecordingPrompter prompter;
  const auto start = PtyPair::Clock::now();
  EXPECT_TRUE(SendToMarquee(command, SettingsFor(pty.path()), prompter, nullptr).ok());
  pty.StopReading();
  ASSERT_EQ(pty.received(), command);
  // The pauses add up, so the n-th caret cannot arrive before n pauses have passed. (The gap
  // between two arrivals proves nothing: a reader woken late shortens it.)
  int carets = 0;
  for (size_t i = 0; i < command.size(); ++i) {
    if (command[i] != '^') continue;
    ++carets;
    EXPECT_GE(pty.arrival()[i] - start, carets * kCaretPause) << "caret " << carets;
  }
}

TEST(SerialLink, EmptyCommandOpensClosesAndSucceeds) {
  PtyPair pty;
  ASSERT_TRUE(pty.ok());
  pty.StartReading(1, 200ms);
  RecordingPrompter prompter;
  EXPECT_TRUE(SendToMarquee("", SettingsFor(pty.path()), prompter, nullptr).ok());
  pty.StopReading();
  EXPECT_EQ(pty.received(), "");
  EXPECT_TRUE(prompter.errors.empty());
  // Closed again: another open succeeds.
  SerialLink other;
  EXPECT_TRUE(other.OpenPort(pty.path(), SettingsFor(pty.path())).ok());
}

TEST(SerialLink, RefusedPortsShowTheirMessage) {
  TempDir dir;
  const std::string regularFile = dir.PathOf("notaport");
  std::ofstream(regularFile) << "";
  struct Row {
    std::string port;
    const char* message;
    ErrorClass errorClass;
  };
  const Row rows[] = {
      {"ttyDOESNOTEXIST9", "Invalid Port", ErrorClass::BadInput},
      {"/dev/nonexistent/ttyS0", "Invalid Port", ErrorClass::BadInput},
      {"", "Invalid Port", ErrorClass::BadInput},
      {regularFile, "Error in sending data", ErrorClass::OsFailure},
      {dir.path().string(), "Error in sending data", ErrorClass::OsFailure},
  };
  for (const Row& row : rows) {
    RecordingPrompter prompter;
    EXPECT_EQ(SendToMarquee("^E1Hi", SettingsFor(row.port), prompter, nullptr, [](auto) {}).errorClass, row.errorClass)
        << row.port;
    EXPECT_EQ(prompter.errors, std::vector<std::string>{row.message}) << row.port;
  }
  struct stat info {};
  ASSERT_EQ(::stat(regularFile.c_str(), &info), 0);
  EXPECT_EQ(info.st_size, 0) << "nothing may be written into a regular file";
}

TEST(SerialLink, PortHeldByAnotherOpenIsInUse) {
  PtyPair pty;
  ASSERT_TRUE(pty.ok());
  SerialLink holder;
  ASSERT_TRUE(holder.OpenPort(pty.path(), SettingsFor(pty.path())).ok());
  RecordingPrompter prompter;
  EXPECT_FALSE(SendToMarquee("^E1Hi", SettingsFor(pty.path()), prompter, nullptr, [](auto) {}).ok());
  EXPECT_EQ(prompter.errors, std::vector<std::string>{"Port in use Retry later"});

  holder.ClosePort();
  prompter.errors.clear();
  pty.StartReading(5);
  EXPECT_TRUE(SendToMarquee("^E1Hi", SettingsFor(pty.path()), prompter, nullptr, [](auto) {}).ok());
  pty.StopReading();
  EXPECT_EQ(pty.received(), "^E1Hi");
}

TEST(SerialLink, AppliesTheLineSettings) {
  PtyPair pty;
  ASSERT_TRUE(pty.ok());
  LinkSettings settings = SettingsFor(pty.path());
  settings.baudRate = 38400;
  SerialLink link;
  ASSERT_TRUE(link.OpenPort(pty.path(), settings).ok());
  termios line{};
  ASSERT_EQ(::tcgetattr(pty.slave(), &line), 0);
  EXPECT_EQ(::cfgetospeed(&line), B38400);
  EXPECT_EQ(line.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(line.c_cflag & (PARENB | CSTOPB), 0u);
}

TEST(SerialLink, UnknownLineCodesAreRefusedWithAReason) {
  PtyPair pty;
  ASSERT_TRUE(pty.ok());
  LinkSettings settings = SettingsFor(pty.path());
  settings.dataBits = 9;
  SerialLink link;
  LinkResult result = link.OpenPort(pty.path(), settings);
  EXPECT_EQ(result.code, kLinkSystemError);
  EXPECT_FALSE(result.systemText.empty());
  // The failed open left the port free.
  EXPECT_TRUE(link.OpenPort(pty.path(), SettingsFor(pty.path())).ok());
}

TEST(SerialLink, WriteWithoutAnOpenPortFails) {
  SerialLink link;
  EXPECT_EQ(link.WritePort("x").code, kLinkSendError);
  link.ClosePort();
  link.ClosePort();
}

TEST(SerialLink, StalledLineStopsTheSendWithAnError) {
  PtyPair pty;  // nobody reads the master, so the line fills up
  ASSERT_TRUE(pty.ok());
  RecordingPrompter prompter;
  EXPECT_FALSE(SendToMarquee(std::string(1 << 20, 'x'), SettingsFor(pty.path()), prompter, nullptr).ok());
  EXPECT_EQ(prompter.errors, std::vector<std::string>{"Error in sending data"});
}
