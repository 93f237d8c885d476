#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QTextBrowser>

#include "addressbook/AddressBookFile.h"
#include "app/HelpWindow.h"
#include "common/HelpTopics.h"
#include "gui/TestApp.h"
#include "message/MessageDatabaseFile.h"

namespace {

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

QByteArray ThreeMessages() {
  return Contents(MARQUEE_TEST_DATA "/three_messages.nmd");
}

TEST(NorvMarqueeApp, IsTheRunningApplication) {
  TestApp test;
  EXPECT_EQ(&theApp(), test.app.get());
  EXPECT_STREQ(theApp().Brand().GetApplicationName(), "NorvMarquee");
}

TEST(NorvMarqueeApp, SettingsLiveUnderTheProgramsOwnName) {
  TestApp test;
  test.app->m_nBaudRate = 38400;
  test.app->m_MsgSettings.m_nEffect = kEffectBlink;
  test.app->SaveComposerSettings();
  EXPECT_EQ(TestApp::Settings()->value("Baud Rate").toInt(), 38400);
  EXPECT_EQ(TestApp::Settings()->value("Effect").toInt(), kEffectBlink);

  test.app->m_nBaudRate = 9600;
  test.app->m_strPortName = "Ethernet";
  test.app->SaveLinkSettings();
  test.app->m_strPortName = "COM1";
  test.app->LoadSettings();
  EXPECT_EQ(test.app->m_strPortName, "Ethernet");
  EXPECT_EQ(test.app->m_nBaudRate, 9600);
  EXPECT_EQ(test.app->m_MsgSettings.m_nEffect, kEffectBlink);
}

TEST(NorvMarqueeApp, FirstRunFindsNoFilesAndSaysNothing) {
  TestApp test;
  const DataFilePaths paths = test.app->ResolveDataFiles();
  EXPECT_EQ(paths.folder, QDir::toNativeSeparators(test.DataFolder()));
  EXPECT_FALSE(test.app->LoadAddressBook(paths.addressBook));
  EXPECT_FALSE(test.app->LoadMessageDatabase(paths.messageDatabase));
  EXPECT_TRUE(test.app->m_AddressBook.empty());
  EXPECT_TRUE(test.app->m_MessageList.empty());
  EXPECT_TRUE(test.prompter.errors.empty());
}

TEST(NorvMarqueeApp, DataFilesRoundTrip) {
  TestApp test;
  const DataFilePaths paths = test.app->ResolveDataFiles();
  Write(paths.messageDatabase, ThreeMessages());
  ASSERT_TRUE(test.app->LoadMessageDatabase(paths.messageDatabase));
  EXPECT_EQ(test.app->m_MessageList.size(), 3u);
  test.app->m_AddressBook = {CIPGroup("Hall")};
  test.app->m_AddressBook[0].m_Members.emplace_back("", IPAddress{10, 1, 2, 3});

  EXPECT_TRUE(test.app->SaveMessageDatabase(paths.messageDatabase));
  EXPECT_TRUE(test.app->SaveAddressBook(paths.addressBook));
  EXPECT_EQ(Contents(paths.messageDatabase), ThreeMessages());
  test.app->ClearMessageList();
  EXPECT_TRUE(test.app->m_MessageList.empty());
  const std::vector<CIPGroup> book = test.app->m_AddressBook;
  test.app->m_AddressBook.clear();
  EXPECT_TRUE(test.app->LoadAddressBook(paths.addressBook));
  EXPECT_EQ(test.app->m_AddressBook, book);
  EXPECT_TRUE(test.prompter.errors.empty());
}

TEST(NorvMarqueeApp, ADamagedFileIsKeptBesideTheOneSavedOverIt) {
  TestApp test;
  const DataFilePaths paths = test.app->ResolveDataFiles();
  const QByteArray damaged = ThreeMessages().left(ThreeMessages().size() - 3);
  Write(paths.messageDatabase, damaged);

  EXPECT_FALSE(test.app->LoadMessageDatabase(paths.messageDatabase));
  EXPECT_EQ(test.app->m_MessageList.size(), 2u) << "the messages before the damage stay";
  ASSERT_EQ(test.prompter.errors.size(), 1u);
  const std::string& error = test.prompter.errors[0];
  EXPECT_EQ(error.rfind("Error M02_3:  Unable to open message database file (*.msd).\n\n", 0), 0u) << error;
  EXPECT_NE(error.find("NorvMarquee.nmd.damaged"), std::string::npos) << error;
  EXPECT_EQ(Contents(paths.messageDatabase + ".damaged"), damaged);

  EXPECT_TRUE(test.app->SaveMessageDatabase(paths.messageDatabase));
  EXPECT_EQ(Contents(paths.messageDatabase + ".damaged"), damaged);
  EXPECT_NE(Contents(paths.messageDatabase), damaged);
}

TEST(NorvMarqueeApp, ADamagedAddressBookKeepsTheEntriesReadBeforeTheDamage) {
  TestApp test;
  const DataFilePaths paths = test.app->ResolveDataFiles();
  std::vector<CIPGroup> book = {CIPGroup("Hall"), CIPGroup("Door")};
  ASSERT_TRUE(SaveAddressBook(QFile::encodeName(paths.addressBook).toStdString(), book).ok());
  Write(paths.addressBook, Contents(paths.addressBook).chopped(1));

  EXPECT_FALSE(test.app->LoadAddressBook(paths.addressBook));
  EXPECT_EQ(test.app->m_AddressBook, std::vector<CIPGroup>{CIPGroup("Hall")});
  ASSERT_EQ(test.prompter.errors.size(), 1u);
  EXPECT_NE(test.prompter.errors[0].find("NorvMarqueeIP.nmd.damaged"), std::string::npos);
  EXPECT_TRUE(QFile::exists(paths.addressBook + ".damaged"));
}

TEST(NorvMarqueeApp, AFileThatCannotBeReadOrCopiedIsNeverSavedOver) {
  TestApp test;
  const DataFilePaths paths = test.app->ResolveDataFiles();
  ASSERT_TRUE(QDir().mkpath(paths.messageDatabase));  // a folder where the file should be
  EXPECT_FALSE(test.app->LoadMessageDatabase(paths.messageDatabase));
  ASSERT_EQ(test.prompter.errors.size(), 1u);
  EXPECT_NE(test.prompter.errors[0].find("will not be overwritten"), std::string::npos) << test.prompter.errors[0];

  EXPECT_FALSE(test.app->SaveMessageDatabase(paths.messageDatabase));
  ASSERT_EQ(test.prompter.errors.size(), 2u);
  EXPECT_NE(test.prompter.errors[1].find("was left as it was"), std::string::npos) << test.prompter.errors[1];
  EXPECT_TRUE(QFileInfo(paths.messageDatabase).isDir());
}

TEST(NorvMarqueeApp, AFailedSaveShowsTheReasonAndTriesAgainUntilNo) {
  TestApp test;
  const QString folder = test.DocumentsFolder() + "/missing";
  const QString path = folder + "/NorvMarquee.nmd";
  test.app->m_MessageList.push_back(std::make_unique<CMsgObjDBList>());
  const std::string asked = std::string(kDataFileErrorText) + "\n\n" + kSaveAgainQuestion + "\n\n" +
                            path.toStdString() + ": No such file or directory";
  // The operator frees the cause and answers Yes: the second try saves.
  test.prompter.reply = [&](const std::string&) { return QDir().mkpath(folder); };
  EXPECT_TRUE(test.app->SaveMessageDatabase(path));
  EXPECT_EQ(test.prompter.questions, std::vector<std::string>{asked});
  EXPECT_TRUE(QFile::exists(path));

  // Only No gives up.
  test.prompter.questions.clear();
  int asks = 0;
  test.prompter.reply = [&](const std::string&) { return ++asks < 3; };
  EXPECT_FALSE(test.app->SaveAddressBook(folder + "/gone/NorvMarqueeIP.nmd"));
  EXPECT_EQ(test.prompter.questions.size(), 3u);
  EXPECT_TRUE(test.prompter.errors.empty());
}

TEST(NorvMarqueeApp, CopiesPlainTextToTheClipboardAndConfirms) {
  TestApp test;
  test.app->CopyToClipboard("^A000000^B1Caf\xE9");
  EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8("^A000000^B1Caf\u00e9"));
  EXPECT_EQ(test.prompter.information, std::vector<std::string>{"ASCII string copied to Clipboard."});

  QApplication::clipboard()->setText("before");
  test.app->CopyToClipboard("");
  EXPECT_EQ(QApplication::clipboard()->text(), "before");
  EXPECT_EQ(test.prompter.information.size(), 1u);
}

TEST(NorvMarqueeApp, ShowsTheHelpPageOfEachTopic) {
  TestApp test;
  QWidget window;
  window.setWindowTitle("NorvMarquee - 1.2.39");
  const std::pair<int, QString> topics[] = {{kHelpMessages, "Messages"},
                                            {kHelpPCCommunication, "PC Communication Setup"},
                                            {kHelpMarqueeCommunication, "Marquee Communication Setup"},
                                            {kHelpMessageDatabase, "Message Database"}};
  for (const auto& [topic, heading] : topics) {
    ASSERT_TRUE(test.app->ShowHelp(&window, topic)) << topic;
    auto* help = window.findChild<CHelpWindow*>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->browser()->documentTitle(), heading);
    EXPECT_TRUE(help->browser()->toPlainText().contains("Step by step"));
    EXPECT_EQ(window.findChildren<CHelpWindow*>().size(), 1) << "one help window, reused";
  }
  EXPECT_TRUE(test.prompter.errors.empty());
}

TEST(NorvMarqueeApp, HelpWithoutAPageShowsNothing) {
  {
    TestApp test;
    QWidget window;
    EXPECT_FALSE(test.app->ShowHelp(&window, 0x12345));
    EXPECT_EQ(window.findChild<CHelpWindow*>(), nullptr);
  }
  TestApp test("/nonexistent/program/folder");
  QWidget window;
  EXPECT_FALSE(test.app->ShowHelp(&window, kHelpMessages));
  EXPECT_EQ(window.findChild<CHelpWindow*>(), nullptr);
  EXPECT_TRUE(test.prompter.errors.empty());
}

TEST(NorvMarqueeApp, SendsThroughTheLinkWithTheWaitCursor) {
  TestApp test;
  test.app->m_strPortName = "Ethernet";
  test.app->m_SendTarget = CIPGroup("Nobody");
  EXPECT_TRUE(test.app->SendToMarquee("^A000000"));
  EXPECT_EQ(test.busy.begun, 1);
  EXPECT_EQ(test.busy.ended, 1);

  test.app->m_strPortName = test.DocumentsFolder().toStdString() + "/no-such-port";
  EXPECT_FALSE(test.app->SendToMarquee("^A000000"));
  EXPECT_EQ(test.prompter.errors, std::vector<std::string>{"Invalid Port"});
  EXPECT_EQ(test.busy.ended, 2);
}

TEST(NorvMarqueeApp, ListsThePortsOfItsSource) {
  TestApp test;
  test.ports = {{"ttyS0", "ttyUSB0"}, {"USB Serial (ttyUSB0)"}};
  test.app->EnumeratePorts();
  EXPECT_EQ(test.app->m_Ports, test.ports);
}

}  // namespace
