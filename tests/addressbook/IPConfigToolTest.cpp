#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include "addressbook/AddEditIPDlg.h"
#include "addressbook/AddressBookGui.h"
#include "addressbook/IPConfigChannel.h"
#include "addressbook/IPConfigTool.h"
#include "addressbook/ProcessLookup.h"
#include "controls/IPAddressEdit.h"
#include "gui/TestApp.h"
#include "support/TempDir.h"

namespace {

constexpr int kPatience = 10000;  // ms for a program to start or end

// The stand-in tool lies beside the test program as it lies beside FerroMarquee.
QString ToolPath() {
  return IPConfigToolPath(QCoreApplication::applicationDirPath());
}

// The whole road: "Search Devices" starts the tool, the tool hands an address back to the
// open dialog, "Search Devices" again brings the same copy forward, and the program's end
// closes it.
TEST(IPConfigToolRoad, TheToolHandsAnAddressBackToTheOpenDialog) {
  ASSERT_TRUE(QFileInfo::exists(ToolPath())) << ToolPath().toStdString();
  PrivateRuntimeFolder runtime;
  TestApp test;
  ASSERT_TRUE(FindProcessesByExecutable(ToolPath()).empty()) << "a copy of the tool is running already";
  CAddEditIPDlg dialog;
  dialog.open();
  QTest::mouseClick(Button(&dialog, "Search Devices"), Qt::LeftButton);

  std::vector<qint64> copies;
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        copies = FindProcessesByExecutable(ToolPath());
        return copies.size() == 1 && SendLine(ToolControlSocketName(copies[0]), kRaiseRequest);
      },
      kPatience));

  // As the operator would press the tool's button with this address typed in.
  ASSERT_TRUE(SendLine(ToolControlSocketName(copies[0]), QByteArray(kSelectRequest) + "192.168.7.42"));
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        return AddressField(&dialog)->GetAddress() == IPAddress{192, 168, 7, 42};
      },
      kPatience));

  QTest::mouseClick(Button(&dialog, "Search Devices"), Qt::LeftButton);
  EXPECT_EQ(FindProcessesByExecutable(ToolPath()), copies) << "brought forward, not started again";

  ShowIPConfigTool(ToolPath(), "", false);
  EXPECT_TRUE(QTest::qWaitFor([] { return FindProcessesByExecutable(ToolPath()).empty(); }, kPatience));
}

// Copies at the tool's place that never answer: copies of sleep. One runs in another
// session of the same user (another runtime folder), one in this session but started by
// someone else, one started by the program itself ("1" and "60": a minute).
TEST(IPConfigToolRoad, ClosingEndsOnlyASilentCopyThisProgramStarted) {
  TempDir folder;
  const QString path = IPConfigToolPath(QString::fromStdString(folder.path().string()));
  ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
  ASSERT_TRUE(QFile::copy("/bin/sleep", path));
  PrivateRuntimeFolder runtime;
  QTemporaryDir otherRuntime;
  QProcess otherSession;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("XDG_RUNTIME_DIR", otherRuntime.path());
  otherSession.setProcessEnvironment(environment);
  QProcess sameSession;
  for (QProcess* process : {&otherSession, &sameSession}) {
    process->start(path, {"60"});
    ASSERT_TRUE(process->waitForStarted());
  }
  EXPECT_FALSE(IsInThisSession(otherSession.processId()));
  EXPECT_TRUE(IsInThisSession(sameSession.processId()));

  ShowIPConfigTool(path, "60", true);
  std::vector<qint64> copies;
  ASSERT_TRUE(QTest::qWaitFor([&] { return (copies = FindProcessesByExecutable(path)).size() == 3; }, kPatience));
  qint64 started = 0;
  for (qint64 pid : copies)
    if (pid != otherSession.processId() && pid != sameSession.processId()) started = pid;

  ShowIPConfigTool(path, "", false);
  EXPECT_TRUE(QTest::qWaitFor([&] { return FindProcessesByExecutable(path).size() == 2; }, kPatience));
  EXPECT_EQ(FindProcessesByExecutable(path),
            (std::vector<qint64>{std::min(otherSession.processId(), sameSession.processId()),
                                 std::max(otherSession.processId(), sameSession.processId())}))
      << "ended " << started;
  for (QProcess* process : {&otherSession, &sameSession}) EXPECT_EQ(process->state(), QProcess::Running);
}

TEST(IPConfigToolRoad, AMissingToolIsNeitherStartedNorReported) {
  TempDir folder;
  const QString path = IPConfigToolPath(QString::fromStdString(folder.path().string()));
  ShowIPConfigTool(path, "NorvMarquee", true);
  ShowIPConfigTool(path, "", false);
  EXPECT_TRUE(FindProcessesByExecutable(path).empty());
}

}  // namespace
