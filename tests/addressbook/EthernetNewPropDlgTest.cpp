#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "addressbook/AddEditIPDlg.h"
#include "addressbook/AddEditIPGroupDlg.h"
#include "addressbook/AddressBookGui.h"
#include "addressbook/EthernetNewPropDlg.h"
#include "addressbook/IPEntryList.h"
#include "controls/IPAddressEdit.h"
#include "controls/NorvComboBox.h"
#include "gui/Screenshot.h"
#include "gui/TestApp.h"

namespace {

QStringList Items(const QComboBox* combo) {
  QStringList items;
  for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
  return items;
}

QStringList Column(const QTableWidget* list, int column) {
  QStringList texts;
  for (int row = 0; row < list->rowCount(); ++row) texts << list->item(row, column)->text();
  return texts;
}

// The pane on its own in an active window, over the address book the test gives.
class EthernetNewPropDlgTest : public ::testing::Test {
 protected:
  void Open(std::vector<CIPGroup> book) {
    test.app->m_AddressBook = std::move(book);
    pane = std::make_unique<CEthernetNewPropDlg>();
    pane->resize(pane->sizeHint());
    pane->show();
    pane->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(pane.get()));
  }
  void Select(std::initializer_list<int> rows) {
    List()->clearSelection();
    for (int row : rows)
      List()->selectionModel()->select(List()->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
  }
  CNorvComboBox* SendTo() const { return Find<CNorvComboBox>(pane.get(), "sendTo"); }
  CIPEntryList* List() const { return Find<CIPEntryList>(pane.get(), "entries"); }
  std::vector<std::string> BookNames() const {
    std::vector<std::string> names;
    for (const CIPGroup& entry : test.app->m_AddressBook) names.push_back(entry.m_strName);
    return names;
  }
  void DoubleClick() {
    QWidget* viewport = List()->viewport();
    QTest::mouseDClick(viewport, Qt::LeftButton, Qt::ControlModifier, viewport->rect().bottomRight() - QPoint(2, 2));
  }

  PrivateRuntimeFolder runtime;  // the IP address dialogs listen there
  TestApp test;
  std::unique_ptr<CEthernetNewPropDlg> pane;
};

const IPAddress kHallA{10, 0, 0, 5};
const IPAddress kHallB{10, 0, 0, 6};
const IPAddress kDoor{10, 0, 0, 9};

std::vector<CIPGroup> ThreeEntries() {
  return {Entry("Hall", {kHallA, kHallB}), Entry("Door", {kDoor}), Entry("Empty", {})};
}

TEST_F(EthernetNewPropDlgTest, AnEmptyAddressBookShowsNothingAndLeavesNoTarget) {
  Open({});
  EXPECT_EQ(SendTo()->count(), 0);
  EXPECT_EQ(test.app->m_SendTarget, CIPGroup(""));
  EXPECT_EQ(List()->rowCount(), 0);
  EXPECT_TRUE(Button(pane.get(), "Add")->isEnabled());
  EXPECT_TRUE(Button(pane.get(), "Create Group")->isEnabled());
  EXPECT_FALSE(Button(pane.get(), "Edit")->isEnabled());
  EXPECT_FALSE(Button(pane.get(), "Delete")->isEnabled());
}

TEST_F(EthernetNewPropDlgTest, TheListAndTheComboShowEveryEntry) {
  test.app->m_SendTarget = Entry("Door", {kDoor});
  Open(ThreeEntries());
  EXPECT_EQ(Column(List(), 0), (QStringList{"Hall", "Door", "Empty"}));
  EXPECT_EQ(Column(List(), 1), (QStringList{"10.0.0.5; 10.0.0.6", "10.0.0.9", ""}));
  EXPECT_EQ(List()->horizontalHeaderItem(0)->text(), "Name");
  EXPECT_EQ(List()->horizontalHeaderItem(1)->text(), "IP Address(es)");
  ExpectNamesFitAndAddressesStretch(List());
  EXPECT_EQ(Find<QGroupBox>(pane.get(), "entriesBox")->title(), "Defined Groups of IP Addresses");
  EXPECT_EQ(Find<QLabel>(pane.get(), "sendToLabel")->text(), "Send To");
  EXPECT_EQ(Items(SendTo()), (QStringList{"Hall", "Door [ 10.0.0.9 ]", "Empty"}));
  EXPECT_EQ(SendTo()->currentIndex(), 1);
  EXPECT_EQ(test.app->m_SendTarget, Entry("Door", {kDoor}));
  EXPECT_TRUE(SaveScreenshot(pane.get(), "pane_address_book"));

  // The operator's choice in "Send To" becomes the target at once.
  SendTo()->setCurrentIndex(0);
  emit SendTo()->activated(0);
  EXPECT_EQ(test.app->m_SendTarget.m_strName, "Hall");
}

TEST_F(EthernetNewPropDlgTest, ButtonsAndMenuFollowTheNumberOfSelectedRows) {
  Open(ThreeEntries());
  struct Case {
    std::initializer_list<int> rows;
    bool add, edit, erase, groupItem;
  };
  const Case cases[] = {
      {{}, true, false, false, false},
      {{1}, false, true, true, false},
      {{0, 2}, false, false, true, true},
      {{0, 1, 2}, false, false, true, true},
  };
  const QStringList items = {"Add...", "Edit...", "Delete...", "", "Add selected IPs to a new group..."};
  QList<QAction*> actions = Find<QMenu>(pane.get(), "entriesMenu")->actions();
  ASSERT_EQ(actions.size(), 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(actions[i]->text(), items[i]);
  EXPECT_TRUE(actions[3]->isSeparator());
  for (const Case& c : cases) {
    Select(c.rows);
    const std::string rows = std::to_string(c.rows.size()) + " rows";
    EXPECT_EQ(Button(pane.get(), "Add")->isEnabled(), c.add) << rows;
    EXPECT_EQ(Button(pane.get(), "Edit")->isEnabled(), c.edit) << rows;
    EXPECT_EQ(Button(pane.get(), "Delete")->isEnabled(), c.erase) << rows;
    EXPECT_TRUE(Button(pane.get(), "Create Group")->isEnabled()) << rows;
    EXPECT_EQ(actions[0]->isEnabled(), c.add) << rows;
    EXPECT_EQ(actions[1]->isEnabled(), c.edit) << rows;
    EXPECT_EQ(actions[2]->isEnabled(), c.erase) << rows;
    EXPECT_EQ(actions[4]->isEnabled(), c.groupItem) << rows;
  }
}

TEST_F(EthernetNewPropDlgTest, TheContextMenuOpensWhereTheListIsRightClicked) {
  Open(ThreeEntries());
  bool shown = false;
  QTimer::singleShot(0, [&] {
    QWidget* popup = QApplication::activePopupWidget();
    shown = popup == Find<QMenu>(pane.get(), "entriesMenu");
    if (popup) popup->close();
  });
  emit List()->customContextMenuRequested(QPoint(5, 5));
  EXPECT_TRUE(shown);
}

TEST_F(EthernetNewPropDlgTest, DeleteAsksByTheNumberOfSelectedRows) {
  struct Case {
    std::initializer_list<int> rows;
    std::string question;
  };
  const Case cases[] = {
      {{1}, "Are you sure you wanted to delete the selected item?"},
      {{0, 1, 2}, "Are you sure you want to delete the 3 seleted items?"},
      {{}, "No items selected to delete!"},
  };
  Open(ThreeEntries());
  for (const Case& c : cases) {
    test.prompter.questions.clear();
    test.prompter.answer = false;
    Select(c.rows);
    pane->OnDelete();
    EXPECT_EQ(test.prompter.questions, std::vector<std::string>{c.question});
    EXPECT_EQ(BookNames(), (std::vector<std::string>{"Hall", "Door", "Empty"})) << "answered No";
    EXPECT_EQ(List()->selectionModel()->selectedRows().size(), static_cast<qsizetype>(c.rows.size()));
  }
}

TEST_F(EthernetNewPropDlgTest, DeletingTheTargetFallsBackToTheFirstRemainingEntry) {
  test.app->m_SendTarget = Entry("Door", {kDoor});
  Open(ThreeEntries());
  Select({1, 2});
  test.prompter.answer = true;
  QTest::keyClick(List(), Qt::Key_Delete);
  EXPECT_EQ(test.prompter.questions.size(), 1u);
  EXPECT_EQ(BookNames(), std::vector<std::string>{"Hall"});
  EXPECT_EQ(Column(List(), 0), QStringList{"Hall"});
  EXPECT_EQ(Items(SendTo()), QStringList{"Hall"});
  EXPECT_EQ(test.app->m_SendTarget, Entry("Hall", {kHallA, kHallB}));

  Select({0});
  QTest::mouseClick(Button(pane.get(), "Delete"), Qt::LeftButton);
  EXPECT_TRUE(test.app->m_AddressBook.empty());
  EXPECT_EQ(test.app->m_SendTarget, CIPGroup(""));
  EXPECT_TRUE(Button(pane.get(), "Add")->isEnabled());
  EXPECT_FALSE(Button(pane.get(), "Edit")->isEnabled());
  EXPECT_FALSE(Button(pane.get(), "Delete")->isEnabled());
}

TEST_F(EthernetNewPropDlgTest, TheDeleteKeyWithoutASelectionDoesNothing) {
  Open(ThreeEntries());
  QTest::keyClick(List(), Qt::Key_Delete);
  EXPECT_TRUE(test.prompter.questions.empty());
}

TEST_F(EthernetNewPropDlgTest, DoubleClickAddsWithoutASelectionEditsOneAndIgnoresMore) {
  Open(ThreeEntries());
  {
    WhenOpened<CAddEditIPDlg> opened([](CAddEditIPDlg* dialog) { EXPECT_EQ(dialog->windowTitle(), "Add IP Address"); });
    DoubleClick();
    EXPECT_TRUE(opened.seen);
  }
  {
    Select({1});
    WhenOpened<CAddEditIPDlg> opened([](CAddEditIPDlg* dialog) { EXPECT_EQ(NameField(dialog)->text(), "Door"); });
    DoubleClick();
    EXPECT_TRUE(opened.seen);
  }
  {
    Select({0, 1});
    WhenOpened<QDialog> opened([](QDialog*) {});
    DoubleClick();
    EXPECT_FALSE(opened.seen);
  }
}

TEST_F(EthernetNewPropDlgTest, CancellingTheAddDialogStillRefreshes) {
  Open(ThreeEntries());
  WhenOpened<CAddEditIPDlg> opened([this](CAddEditIPDlg* dialog) {
    test.app->m_AddressBook.push_back(Entry("Added elsewhere", {kDoor}));
    dialog->reject();
  });
  QTest::mouseClick(Button(pane.get(), "Add"), Qt::LeftButton);
  ASSERT_TRUE(opened.seen);
  EXPECT_EQ(List()->rowCount(), 4);
  EXPECT_EQ(SendTo()->count(), 4);
}

TEST_F(EthernetNewPropDlgTest, AddingAppendsTheEntryToTheListAndCombo) {
  Open(ThreeEntries());
  WhenOpened<CAddEditIPDlg> opened([](CAddEditIPDlg* dialog) {
    NameField(dialog)->setText("Gate");
    AddressField(dialog)->SetAddress({10, 0, 0, 20});
    dialog->accept();
  });
  pane->OnAdd();
  ASSERT_TRUE(opened.seen);
  EXPECT_EQ(Column(List(), 0).last(), "Gate");
  EXPECT_EQ(Items(SendTo()).last(), "Gate [ 10.0.0.20 ]");
}

TEST_F(EthernetNewPropDlgTest, EditingTheTargetsAddressLosesItUnlessItIsFirst) {
  test.app->m_SendTarget = Entry("Door", {kDoor});
  Open(ThreeEntries());
  Select({1});
  WhenOpened<CAddEditIPDlg> opened([](CAddEditIPDlg* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Edit IP Address");
    AddressField(dialog)->SetAddress({10, 0, 0, 99});
    dialog->accept();
  });
  QTest::mouseClick(Button(pane.get(), "Edit"), Qt::LeftButton);
  ASSERT_TRUE(opened.seen);
  EXPECT_EQ(test.app->m_AddressBook[1], Entry("Door", {{10, 0, 0, 99}}));
  EXPECT_EQ(Column(List(), 1)[1], "10.0.0.99");
  EXPECT_EQ(SendTo()->currentIndex(), 0) << "the old display text is gone";
  EXPECT_EQ(test.app->m_SendTarget.m_strName, "Hall");
}

TEST_F(EthernetNewPropDlgTest, EditOpensTheSelectedRowsOwnEntry) {
  // Edits may give two entries one name; the row chosen is the one edited.
  Open({Entry("Twin", {{10, 0, 0, 1}}), Entry("Twin", {{10, 0, 0, 2}})});
  Select({1});
  WhenOpened<CAddEditIPDlg> opened([](CAddEditIPDlg* dialog) {
    EXPECT_EQ(AddressField(dialog)->GetAddress(), (IPAddress{10, 0, 0, 2}));
    NameField(dialog)->setText("Second");
    dialog->accept();
  });
  pane->OnEdit();
  ASSERT_TRUE(opened.seen);
  EXPECT_EQ(BookNames(), (std::vector<std::string>{"Twin", "Second"}));
}

TEST_F(EthernetNewPropDlgTest, EditingAGroupOpensTheGroupDialogWithTheSelectionAsMembers) {
  Open(ThreeEntries());
  Select({0});
  WhenOpened<CAddEditIPGroupDlg> opened([](CAddEditIPGroupDlg* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Edit IP Group");
    EXPECT_EQ(NameField(dialog)->text(), "Hall");
    ASSERT_EQ(dialog->m_MemberEntries.size(), 1u);
    EXPECT_EQ(dialog->m_MemberEntries[0].m_strName, "Hall");
    ASSERT_EQ(dialog->m_SourceEntries.size(), 2u);
    EXPECT_EQ(dialog->m_SourceEntries[0].m_strName, "Door");
  });
  pane->OnEdit();
  EXPECT_TRUE(opened.seen);

  Select({2});
  WhenOpened<QDialog> none([](QDialog*) {});
  pane->OnEdit();
  EXPECT_FALSE(none.seen) << "an entry without addresses opens nothing";
}

TEST_F(EthernetNewPropDlgTest, CreatingAGroupOfTheSelectedEntries) {
  Open(ThreeEntries());
  Select({0, 1});
  WhenOpened<CAddEditIPGroupDlg> opened([](CAddEditIPGroupDlg* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Add IP Group");
    EXPECT_EQ(dialog->m_MemberEntries.size(), 2u);
    EXPECT_EQ(dialog->m_SourceEntries.size(), 1u);
    NameField(dialog)->setText("All");
    dialog->accept();
  });
  Find<QMenu>(pane.get(), "entriesMenu")->actions()[4]->trigger();
  ASSERT_TRUE(opened.seen);
  EXPECT_EQ(test.app->m_AddressBook.back(), Entry("All", {kHallA, kHallB, kDoor}));
  EXPECT_EQ(Items(SendTo()).last(), "All");
}

}  // namespace
