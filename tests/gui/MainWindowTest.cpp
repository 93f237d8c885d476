#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTextBrowser>
#include <QTimer>

#include "addressbook/AddressBookFile.h"
#include "app/AboutDlg.h"
#include "app/HelpWindow.h"
#include "controls/NorvComboBox.h"
#include "gui/MainWindowFixture.h"
#include "link/PortWatcher.h"
#include "message/MessageDatabaseFile.h"
#include "support/Find.h"

namespace {

QStringList Items(const QComboBox* combo) {
  QStringList items;
  for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
  return items;
}

TEST_F(MainWindowTest, ShowsTheBrandAndTheFourPages) {
  EXPECT_EQ(window->windowTitle(), "NorvMarquee - 1.2.39");
  EXPECT_FALSE(window->windowIcon().isNull());
  ASSERT_EQ(tabs()->count(), 4);
  const QStringList captions = {"Messages", "PC Communication Setup", "Marquee Communication Setup",
                                "Message Database"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(tabs()->tabText(i), captions[i]);
  EXPECT_EQ(tabs()->CurrentPage(), 0);
  EXPECT_TRUE(page(0)->isVisible());
  auto* about = qobject_cast<QPushButton*>(tabs()->cornerWidget(Qt::TopRightCorner));
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(about->text(), "About");
}

TEST_F(MainWindowTest, FirstRunOpensQuietlyWithTheInitialValues) {
  EXPECT_TRUE(test.prompter.errors.empty());
  EXPECT_TRUE(QDir(test.DataFolder()).exists()) << "the data folder is made at start";
  EXPECT_TRUE(test.app->m_AddressBook.empty());
  EXPECT_TRUE(test.app->m_MessageList.empty());
  EXPECT_EQ(test.app->m_nBaudRate, 9600);
  EXPECT_EQ(test.app->m_strPortName, "Ethernet") << "COM1 is not there and there is no other port";
  EXPECT_EQ(test.app->m_SendTarget, CIPGroup(""))
      << "for Ethernet the composer's \"Send To\" picks from the empty book";
}

TEST_F(MainWindowTest, SelectPageShowsThePageAndFocusesIt) {
  for (int index : {2, 3, 1, 0}) {
    tabs()->SelectPage(index);
    EXPECT_EQ(tabs()->CurrentPage(), index);
    for (int other = 0; other < 4; ++other) EXPECT_EQ(page(other)->isVisible(), other == index) << index;
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_TRUE(page(index)->isAncestorOf(QApplication::focusWidget())) << index;
  }
  tabs()->SelectPage(4);
  tabs()->SelectPage(-1);
  EXPECT_EQ(tabs()->CurrentPage(), 0);
}

TEST_F(MainWindowTest, AClickOnATabSwitchesToItsPage) {
  QTabBar* bar = tabs()->tabBar();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(3).center());
  EXPECT_EQ(tabs()->CurrentPage(), 3);
  EXPECT_TRUE(page(3)->isVisible());
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
  EXPECT_EQ(tabs()->CurrentPage(), 1);
  EXPECT_TRUE(page(1)->isAncestorOf(QApplication::focusWidget()));
}

TEST_F(MainWindowTest, EnterAndEscapeInsideAPageNeverCloseIt) {
  for (int index = 0; index < 4; ++index) {
    tabs()->SelectPage(index);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTest::keyClick(page(index), Qt::Key_Return);
    QTest::keyClick(page(index), Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(page(index), Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible()) << index;
    EXPECT_TRUE(page(index)->isVisible()) << index;
  }
  // Outside the pages Escape is the window's own: it closes the program.
  tabs()->tabBar()->setFocus();
  QTest::keyClick(tabs()->tabBar(), Qt::Key_Escape);
  EXPECT_FALSE(window->isVisible());
}

// The buttons of a page that are drawn as its default.
QStringList DefaultButtons(const QWidget* page) {
  QStringList defaults;
  for (const QPushButton* button : page->findChildren<QPushButton*>())
    if (button->isDefault()) defaults << button->text();
  return defaults;
}

TEST_F(MainWindowTest, EachPageKeepsTheOneDefaultButtonItsLayoutNames) {
  const QStringList named[] = {{"Send To Marquee"}, {}, {}, {}};
  for (int index = 0; index < 4; ++index) {
    tabs()->SelectPage(index);
    EXPECT_EQ(DefaultButtons(page(index)), named[index]) << index;
    // Tab through the page and beyond: a focused button takes no default frame.
    for (int stop = 0; stop < 40; ++stop) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      ASSERT_EQ(DefaultButtons(page(index)), named[index]) << index << ", stop " << stop;
    }
  }
}

TEST_F(MainWindowTest, EnterPressesTheFocusedButtonElseTheDefaultOne) {
  const CNorvChildDialog* composer = page(0);
  QPushButton* generate = nullptr;
  for (QPushButton* button : composer->findChildren<QPushButton*>())
    if (button->text() == "Generate Marquee String") generate = button;
  QLineEdit* ascii = nullptr;
  for (QLineEdit* box : composer->findChildren<QLineEdit*>())
    if (box->accessibleName() == "ASCII Command Codes Text") ascii = box;
  ASSERT_TRUE(generate && ascii);
  generate->setFocus(Qt::TabFocusReason);
  QTest::keyClick(generate, Qt::Key_Return);
  EXPECT_FALSE(ascii->text().isEmpty()) << "Enter on a button presses it";
  EXPECT_TRUE(test.prompter.errors.empty()) << "and not the default button";
  EXPECT_EQ(DefaultButtons(composer), QStringList{"Send To Marquee"});
  ascii->setFocus(Qt::TabFocusReason);
  QTest::keyClick(ascii, Qt::Key_Return);
  EXPECT_EQ(test.prompter.errors, std::vector<std::string>{"Please select 'Sent to' Marquee."})
      << "elsewhere Enter presses Send To Marquee (no ports: over Ethernet, with no target)";
  for (int index = 1; index < 4; ++index) {
    test.prompter.errors.clear();
    tabs()->SelectPage(index);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(test.prompter.errors.empty() && test.prompter.information.empty()) << index;
  }
}

TEST_F(MainWindowTest, AboutShowsTheBrandsDetails) {
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* about = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
    ASSERT_NE(about, nullptr);
    seen = true;
    EXPECT_EQ(about->windowTitle(), "NorvMarquee");
    EXPECT_EQ(Find<QLabel>(about, "version")->text(), "NorvMarquee Version: 1.2.39");
    EXPECT_EQ(Find<QLabel>(about, "company")->text(), "NorvAutomation a division of Quor");
    EXPECT_FALSE(Find<QLabel>(about, "phone")->text().isEmpty());
    EXPECT_FALSE(Find<QLabel>(about, "web")->text().isEmpty());
    EXPECT_FALSE(Find<QLabel>(about, "copyright")->text().isEmpty());
    QPushButton* ok = about->findChild<QPushButton*>();
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_TRUE(ok->isDefault());
    QTest::keyClick(about, Qt::Key_Return);  // the default button closes it
  });
  QTest::mouseClick(qobject_cast<QAbstractButton*>(tabs()->cornerWidget()), Qt::LeftButton);
  EXPECT_TRUE(seen);
  EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindowTest, EveryHelpButtonShowsItsPage) {
  const QString titles[] = {"Messages", "PC Communication Setup", "Marquee Communication Setup", "Message Database"};
  for (int index = 0; index < 4; ++index) {
    tabs()->SelectPage(index);
    QPushButton* help = nullptr;
    for (QPushButton* button : page(index)->findChildren<QPushButton*>())
      if (button->text() == "Help") help = button;
    ASSERT_NE(help, nullptr) << index;
    help->click();
    auto* window_ = window->findChild<CHelpWindow*>();
    ASSERT_NE(window_, nullptr);
    EXPECT_EQ(window_->browser()->documentTitle(), titles[index]);
    EXPECT_EQ(window_->windowTitle(), "NorvMarquee - 1.2.39 Help");
  }
}

TEST_F(MainWindowTest, ShownPageSelectsThePortChosenElsewhere) {
  test.ports = {{"COM1", "COM2"}, {}};
  window->OnDeviceChange();
  auto* selector = page(1)->findChild<CNorvComboBox*>();
  ASSERT_NE(selector, nullptr);
  test.app->m_strPortName = "COM2";
  tabs()->SelectPage(1);
  EXPECT_EQ(selector->currentText(), "COM2");
  test.app->m_strPortName = "Ethernet";
  tabs()->SelectPage(0);
  tabs()->SelectPage(1);
  EXPECT_EQ(selector->currentText(), "Ethernet");
}

TEST_F(MainWindowTest, APortDeviceArrivingRefreshesTheShownPortList) {
  tabs()->SelectPage(1);
  auto* selector = page(1)->findChild<CNorvComboBox*>();
  ASSERT_NE(selector, nullptr);
  EXPECT_EQ(Items(selector), QStringList{"Ethernet"});

  test.ports = {{"ttyS0", "ttyUSB0"}, {"USB Serial (ttyUSB0)"}};
  auto* watcher = window->findChild<PortWatcher*>();
  ASSERT_NE(watcher, nullptr);
  emit watcher->portsChanged();
  EXPECT_EQ(test.app->m_Ports, test.ports);
  EXPECT_EQ(Items(selector), (QStringList{"ttyS0", "ttyUSB0" + QString(8, ' ') + "USB Serial ", "Ethernet"}));
  EXPECT_EQ(selector->currentText(), "Ethernet") << "chosen at start, when there was no port";
}

class ComposerDataTest : public MainWindowTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QDir().mkpath(test.DataFolder()));
    QFile::copy(MARQUEE_TEST_DATA "/three_messages.nmd", DatabasePath());
    book = {CIPGroup("Hall"), CIPGroup("Door")};
    // The saved send target is "Door" with its one member, so it is found again in the book.
    book[1].m_Members.emplace_back("", IPAddress{10, 0, 0, 9});
    ASSERT_TRUE(SaveAddressBook(QFile::encodeName(AddressBookPath()).toStdString(), book).ok());
    TestApp::Settings()->setValue("COM Port Name", "Ethernet");
    TestApp::Settings()->setValue("Group Name", "Door");
    TestApp::Settings()->setValue("No of IP", 1);
    const int octets[] = {10, 0, 0, 9};
    for (int i = 0; i < 4; ++i)
      TestApp::Settings()->setValue(QString("IP Information/IP Address0 %1").arg(i + 1), octets[i]);
    OpenWindow();
  }
  QString DatabasePath() const { return test.DataFolder() + "/NorvMarquee.nmd"; }
  QString AddressBookPath() const { return test.DataFolder() + "/NorvMarqueeIP.nmd"; }

  std::vector<CIPGroup> book;
};

TEST_F(ComposerDataTest, DataIsLoadedWhenTheWindowOpensAndSavedWhenItCloses) {
  EXPECT_EQ(test.app->m_AddressBook, book);
  EXPECT_EQ(test.app->m_MessageList.size(), 3u);
  EXPECT_EQ(test.app->m_strPortName, "Ethernet");
  EXPECT_EQ(test.app->m_SendTarget.m_strName, "Door");
  EXPECT_TRUE(test.prompter.errors.empty());

  test.app->m_MessageList.erase(test.app->m_MessageList.begin());
  test.app->m_AddressBook.pop_back();
  test.app->m_nBaudRate = 38400;
  CloseWindow();

  EXPECT_TRUE(test.app->m_MessageList.empty()) << "the list is emptied once it is saved";
  CMsgList saved;
  EXPECT_EQ(LoadMessageDatabase(QFile::encodeName(DatabasePath()).toStdString(), saved).outcome,
            DataFileLoadOutcome::Complete);
  EXPECT_EQ(saved.size(), 2u);
  EXPECT_EQ(LoadAddressBook(QFile::encodeName(AddressBookPath()).toStdString()).entries,
            std::vector<CIPGroup>{CIPGroup("Hall")});
  EXPECT_EQ(TestApp::Settings()->value("Baud Rate").toInt(), 38400) << "the link settings are saved too";
  EXPECT_TRUE(test.prompter.errors.empty());
}

}  // namespace
