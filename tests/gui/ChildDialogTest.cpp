#include <gtest/gtest.h>

#include <QSignalSpy>

#include "app/NorvChildDialog.h"
#include "controls/NorvComboBox.h"
#include "gui/TestApp.h"

namespace {

// A page with both selectors bound, as the pages with a port list and a "Send To" list have.
class SelectorPage : public CNorvChildDialog {
 public:
  SelectorPage() {
    m_pSendToSelector = new CNorvComboBox(this);
    m_pPortSelector = new CNorvComboBox(this);
  }
  CNorvComboBox* ports() const { return m_pPortSelector; }
  CNorvComboBox* sendTo() const { return m_pSendToSelector; }
};

QStringList Items(const QComboBox* combo) {
  QStringList items;
  for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
  return items;
}

class ChildDialogTest : public ::testing::Test {
 protected:
  void Ports(std::vector<std::string> ports, std::vector<std::string> friendly = {}) {
    test.ports = {std::move(ports), std::move(friendly)};
    test.app->EnumeratePorts();
  }

  TestApp test;
  SelectorPage page;
};

TEST_F(ChildDialogTest, PortsAreShownWithTheirFriendlyNamesThenEthernet) {
  Ports({"COM1", "COM10", "COM12"}, {"Communications Port (COM1)", "USB Serial Port (COM10)"});
  page.FillPortSelector();
  EXPECT_EQ(Items(page.ports()), (QStringList{"COM1" + QString(12, ' ') + "Communications Port ",
                                              "COM10" + QString(10, ' ') + "USB Serial Port ", "COM12", "Ethernet"}));
  EXPECT_EQ(page.ports()->currentIndex(), 0);
  EXPECT_EQ(test.app->m_strPortName, "COM1");
}

TEST_F(ChildDialogTest, AnAbsentPortGivesWayToTheFirstPortOrEthernet) {
  struct Case {
    std::string saved;
    std::vector<std::string> ports;
    std::string port;
    QString shown;
  };
  const Case cases[] = {
      {"COM7", {"COM1", "COM2"}, "COM1", "COM1"},     {"COM7", {}, "Ethernet", "Ethernet"},
      {"com2", {"COM1", "COM2"}, "com2", "COM2"},  // case ignored: kept as it is
      {"ethernet", {"COM1"}, "ethernet", "Ethernet"}, {"Ethernet", {}, "Ethernet", "Ethernet"},
  };
  for (const Case& c : cases) {
    Ports(c.ports);
    test.app->m_strPortName = c.saved;
    page.FillPortSelector();
    EXPECT_EQ(test.app->m_strPortName, c.port) << c.saved;
    EXPECT_EQ(page.ports()->currentText(), c.shown) << c.saved;
  }
}

TEST_F(ChildDialogTest, SelectingAPortPrefersTheWholeName) {
  Ports({"/dev/pts/10", "/dev/pts/1"});
  test.app->m_strPortName = "/dev/pts/1";
  page.FillPortSelector();
  EXPECT_EQ(page.ports()->currentText(), "/dev/pts/1");
  EXPECT_EQ(test.app->m_strPortName, "/dev/pts/1");
}

TEST_F(ChildDialogTest, TheChosenItemBecomesThePort) {
  Ports({"COM1", "COM2"}, {"Communications Port (COM1)"});
  page.FillPortSelector();
  page.ports()->setCurrentIndex(2);
  page.OnPortSelectorChanged();
  EXPECT_EQ(test.app->m_strPortName, "Ethernet");
  page.ports()->setCurrentIndex(0);
  page.OnPortSelectorChanged();
  EXPECT_EQ(test.app->m_strPortName, "COM1");

  // Selecting a port that is not listed (the list changed meanwhile) takes item 0.
  test.app->m_strPortName = "COM9";
  page.SelectCurrentPort();
  EXPECT_EQ(test.app->m_strPortName, "COM1");
}

TEST_F(ChildDialogTest, FillingAndSelectingEmitNoChoice) {
  Ports({"COM1", "COM2"});
  test.app->m_AddressBook = {CIPGroup("Hall")};
  QSignalSpy portChoices(page.ports(), &QComboBox::activated);
  QSignalSpy portChanges(page.ports(), &QComboBox::currentIndexChanged);
  QSignalSpy targetChanges(page.sendTo(), &QComboBox::currentIndexChanged);
  page.FillPortSelector();
  test.app->m_strPortName = "COM2";
  page.SelectCurrentPort();
  page.FillSendToCombo();
  EXPECT_EQ(portChoices.count(), 0);
  EXPECT_EQ(portChanges.count(), 0);
  EXPECT_EQ(targetChanges.count(), 0);
  EXPECT_EQ(page.ports()->currentText(), "COM2");
}

TEST_F(ChildDialogTest, SendToListsTheAddressBookAndSelectsTheTarget) {
  CIPGroup hall("Hall");
  hall.m_Members = {CIPData("", IPAddress{10, 0, 0, 1}), CIPData("", IPAddress{10, 0, 0, 2})};
  CIPGroup sign("Sign A");
  sign.m_Members = {CIPData("", IPAddress{10, 0, 0, 5})};
  test.app->m_AddressBook = {hall, sign};

  test.app->m_SendTarget = CIPGroup("sign a");  // shown as "sign a [ 10.0.0.5 ]": the case differs
  test.app->m_SendTarget.m_Members = {CIPData("", IPAddress{10, 0, 0, 5})};
  page.FillSendToCombo();
  EXPECT_EQ(Items(page.sendTo()), (QStringList{"Hall", "Sign A [ 10.0.0.5 ]"}));
  EXPECT_EQ(page.sendTo()->currentIndex(), 1);
  EXPECT_EQ(test.app->m_SendTarget, sign);

  test.app->m_SendTarget = CIPGroup("Gone");
  page.FillSendToCombo();
  EXPECT_EQ(page.sendTo()->currentIndex(), 0);
  EXPECT_EQ(test.app->m_SendTarget, hall);
}

TEST_F(ChildDialogTest, AnEmptyAddressBookLeavesAnEmptySendTarget) {
  page.FillSendToCombo();
  EXPECT_EQ(page.sendTo()->count(), 0);
  EXPECT_EQ(test.app->m_SendTarget.m_strName, "");
  EXPECT_TRUE(test.app->m_SendTarget.m_Members.empty());
}

TEST_F(ChildDialogTest, APageWithoutSelectorsLeavesTheApplicationAlone) {
  CNorvChildDialog bare;
  Ports({"COM2"});
  test.app->m_AddressBook = {CIPGroup("Hall")};
  bare.FillPortSelector();
  bare.SelectCurrentPort();
  bare.OnPortSelectorChanged();
  bare.FillSendToCombo();
  bare.SelectSendTarget();
  EXPECT_EQ(test.app->m_strPortName, "COM1");
  EXPECT_EQ(test.app->m_SendTarget, CIPGroup("New Group"));
}

TEST_F(ChildDialogTest, OkAndCancelDoNothing) {
  page.show();
  page.accept();
  page.reject();
  EXPECT_TRUE(page.isVisible());
  EXPECT_EQ(page.result(), 0);
}

}  // namespace
