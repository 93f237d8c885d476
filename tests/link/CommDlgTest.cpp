#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "addressbook/EthernetNewPropDlg.h"
#include "addressbook/IPEntryList.h"
#include "controls/NorvComboBox.h"
#include "gui/MainWindowFixture.h"
#include "gui/Screenshot.h"
#include "link/CommDlg.h"
#include "link/CommPropDlg.h"
#include "support/Find.h"

namespace {

CIPGroup Entry(const std::string& name, const IPAddress& address) {
  CIPGroup entry(name);
  entry.m_Members.emplace_back("", address);
  return entry;
}

// The main window with the given ports present, on the "PC Communication Setup" page.
class CommDlgTest : public MainWindowTest {
 protected:
  void SetUp() override {}
  void Open(std::vector<std::string> ports, std::vector<std::string> friendly = {}) {
    test.ports = {std::move(ports), std::move(friendly)};
    OpenWindow();
    tabs()->SelectPage(1);
  }
  CCommDlg* comm() const { return static_cast<CCommDlg*>(page(1)); }
  CNorvComboBox* PortSelector() const { return Find<CNorvComboBox>(comm(), "port"); }
  QWidget* EthernetPane() const { return Find<CEthernetNewPropDlg>(comm(), "addressBookPane"); }
  QWidget* ComPane() const { return Find<CCommPropDlg>(comm(), "linePane"); }
  QComboBox* BaudRate() const { return Find<QComboBox>(ComPane(), "baudRate"); }
  QString LineValue(const QString& name) const { return Find<QLabel>(ComPane(), name)->text(); }
  void ChoosePort(const QString& text) {
    const int index = PortSelector()->findText(text, Qt::MatchStartsWith);
    ASSERT_GE(index, 0) << text.toStdString();
    PortSelector()->setCurrentIndex(index);
    emit PortSelector()->activated(index);
  }
  bool EthernetShown() const { return EthernetPane()->isVisible() && !ComPane()->isVisible(); }
  bool ComShown() const { return ComPane()->isVisible() && !EthernetPane()->isVisible(); }
};

TEST_F(CommDlgTest, FirstRunWithCOM1ShowsItsLineSettings) {
  Open({"COM1", "COM2"}, {"Communications Port (COM1)"});
  EXPECT_EQ(test.app->m_strPortName, "COM1");
  EXPECT_TRUE(PortSelector()->currentText().startsWith("COM1"));
  ASSERT_TRUE(ComShown());
  const QComboBox* baudRate = BaudRate();
  EXPECT_EQ(baudRate->count(), 2);
  EXPECT_EQ(baudRate->itemText(0), "9600");
  EXPECT_EQ(baudRate->itemText(1), "38400");
  EXPECT_EQ(baudRate->currentText(), "9600");
  EXPECT_EQ(LineValue("parity"), "None");
  EXPECT_EQ(LineValue("dataBits"), "8");
  EXPECT_EQ(LineValue("stopBits"), "1");
  auto* box = ComPane()->findChild<QGroupBox*>();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->title(), "Com Port Setup");
  QStringList labels;
  for (const QLabel* label : box->findChildren<QLabel*>())
    if (label->buddy()) labels << label->text();
  EXPECT_EQ(labels, (QStringList{"Baud Rate :", "Parity :", "Data Bits :", "Stop Bits :"}));
  EXPECT_TRUE(SaveScreenshot(window.get(), "page_pc_communication_com_port"));
}

TEST_F(CommDlgTest, ThePortChoosesThePaneAtOnce) {
  test.app->m_AddressBook = {Entry("Door", {10, 0, 0, 9}), Entry("Gate", {10, 0, 0, 10})};
  test.app->m_AddressBook[1].m_Members.emplace_back("", IPAddress{10, 0, 0, 11});
  Open({"COM1"});
  ChoosePort("Ethernet");
  EXPECT_EQ(test.app->m_strPortName, "Ethernet");
  EXPECT_TRUE(EthernetShown());
  EXPECT_TRUE(SaveScreenshot(window.get(), "page_pc_communication_ethernet"));
  ChoosePort("COM1");
  EXPECT_EQ(test.app->m_strPortName, "COM1");
  EXPECT_TRUE(ComShown());
}

TEST_F(CommDlgTest, TheBaudRateReachesTheApplicationWhenThePageIsLeftAndIsSavedAtTheEnd) {
  Open({"COM1"});
  BaudRate()->setCurrentIndex(1);
  EXPECT_EQ(test.app->m_nBaudRate, 9600) << "not on each change of the list";
  tabs()->SelectPage(0);
  EXPECT_EQ(test.app->m_nBaudRate, 38400);
  CloseWindow();
  EXPECT_EQ(TestApp::Settings()->value("Baud Rate").toInt(), 38400);
  EXPECT_EQ(TestApp::Settings()->value("COM Port Name").toString(), "COM1");
}

TEST_F(CommDlgTest, AHandEditedBaudRateStaysUntilOneIsChosen) {
  TestApp::Settings()->setValue("Baud Rate", 57600);
  Open({"COM1"});
  EXPECT_EQ(BaudRate()->currentIndex(), -1);
  tabs()->SelectPage(0);
  EXPECT_EQ(test.app->m_nBaudRate, 57600);
  tabs()->SelectPage(1);
  BaudRate()->setCurrentIndex(0);
  tabs()->SelectPage(0);
  EXPECT_EQ(test.app->m_nBaudRate, 9600);
}

TEST_F(CommDlgTest, UncommonLineCodesAreNamed) {
  Open({"COM1"});
  tabs()->SelectPage(0);
  test.app->m_nParity = 2;
  test.app->m_nStopBits = 1;
  tabs()->SelectPage(1);
  EXPECT_EQ(LineValue("parity"), "Even");
  EXPECT_EQ(LineValue("stopBits"), "1.5");
}

TEST_F(CommDlgTest, ShowingThePageListsEntriesAddedElsewhereAndLeavingItTakesTheTarget) {
  Open({});
  ASSERT_TRUE(EthernetShown());
  tabs()->SelectPage(0);
  test.app->m_AddressBook = {Entry("Door", {10, 0, 0, 9}), Entry("Gate", {10, 0, 0, 10})};
  test.app->m_SendTarget = test.app->m_AddressBook[1];
  tabs()->SelectPage(1);
  auto* sendTo = Find<CNorvComboBox>(EthernetPane(), "sendTo");
  EXPECT_EQ(sendTo->count(), 2);
  EXPECT_EQ(sendTo->currentText(), "Gate [ 10.0.0.10 ]");

  sendTo->setCurrentIndex(0);  // chosen without the change signal: taken when the page is left
  test.app->m_SendTarget = CIPGroup("Elsewhere");
  tabs()->SelectPage(3);
  EXPECT_EQ(test.app->m_SendTarget.m_strName, "Door");
}

TEST_F(CommDlgTest, APortUnpluggedWhileShownSwitchesThePane) {
  Open({"COM3"});
  ASSERT_TRUE(ComShown());
  test.ports = {};
  window->OnDeviceChange();
  EXPECT_EQ(test.app->m_strPortName, "Ethernet");
  EXPECT_EQ(PortSelector()->count(), 1);
  EXPECT_TRUE(EthernetShown());

  test.ports = {{"COM4"}, {}};
  window->OnDeviceChange();
  EXPECT_EQ(PortSelector()->count(), 2) << "a port plugged in is listed at once";
  EXPECT_TRUE(EthernetShown()) << "the chosen port stays";
}

TEST_F(CommDlgTest, TabGoesDownThePageAsItIsDrawn) {
  Open({});  // "Ethernet": the address book pane
  QWidget* pane = EthernetPane();
  const QList<QWidget*> expected = {PortSelector(),
                                    Find<CNorvComboBox>(pane, "sendTo"),
                                    Find<CIPEntryList>(pane, "entries"),
                                    Find<QPushButton>(pane, "Add"),
                                    Find<QPushButton>(pane, "Create Group"),
                                    Find<QPushButton>(comm(), "Help")};
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == window.get(); }));
  PortSelector()->setFocus(Qt::TabFocusReason);
  QList<QWidget*> reached = {QApplication::focusWidget()};
  for (int stop = 1; stop < expected.size(); ++stop) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    reached << QApplication::focusWidget();
  }
  EXPECT_EQ(reached, expected);
}

}  // namespace
