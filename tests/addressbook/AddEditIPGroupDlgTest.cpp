#include <QLineEdit>
#include <QPushButton>

#include "addressbook/AddEditIPGroupDlg.h"
#include "addressbook/AddressBookGui.h"
#include "addressbook/IPEntryList.h"
#include "gui/Screenshot.h"
#include "gui/TestApp.h"
#include "gui/TypeText.h"

namespace {

QStringList Names(const QTableWidget* list) {
  QStringList names;
  for (int row = 0; row < list->rowCount(); ++row) names << list->item(row, 0)->text();
  return names;
}

void Select(QTableWidget* list, std::initializer_list<int> rows) {
  list->clearSelection();
  for (int row : rows)
    list->selectionModel()->select(list->model()->index(row, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

// The group dialog open (modal, not waiting) over an address book of four entries.
class AddEditIPGroupDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test.app->m_AddressBook = {Entry("A", {{10, 0, 0, 1}}), Entry("B", {{10, 0, 0, 2}}),
                               Entry("Shares A", {{10, 0, 0, 1}}), Entry("HALL", {{10, 0, 0, 1}, {10, 0, 0, 3}})};
  }
  // members and sources by their index in the address book.
  void Open(int editMode, int index, std::vector<size_t> members, std::vector<size_t> sources) {
    for (size_t i : members) dialog.m_MemberEntries.push_back(test.app->m_AddressBook[i]);
    for (size_t i : sources) dialog.m_SourceEntries.push_back(test.app->m_AddressBook[i]);
    dialog.m_nEditMode = editMode;
    dialog.m_nEntryIndex = index;
    dialog.open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  }
  CIPEntryList* Source() const { return Find<CIPEntryList>(&dialog, "source"); }
  CIPEntryList* Members() const { return Find<CIPEntryList>(&dialog, "members"); }
  bool Ok(const QString& name) {
    NameField(&dialog)->setText(name);
    QTest::mouseClick(Button(&dialog, "OK"), Qt::LeftButton);
    return !dialog.isVisible();
  }

  TestApp test;
  CAddEditIPGroupDlg dialog;
};

TEST_F(AddEditIPGroupDlgTest, AddingShowsBothListsAndStoresEachAddressOnce) {
  Open(0, -1, {0, 2}, {1, 3});
  EXPECT_EQ(dialog.windowTitle(), "Add IP Group");
  EXPECT_TRUE(NameField(&dialog)->text().isEmpty());
  EXPECT_EQ(Names(Members()), (QStringList{"A", "Shares A"}));
  EXPECT_EQ(Names(Source()), (QStringList{"B", "HALL"}));
  EXPECT_EQ(Source()->item(1, 1)->text(), "10.0.0.1; 10.0.0.3");
  const QStringList headings = {"Name", "IP Address(es)"};
  for (int column = 0; column < 2; ++column)
    EXPECT_EQ(Source()->horizontalHeaderItem(column)->text(), headings[column]);
  for (QTableWidget* list : {Source(), Members()}) ExpectNamesFitAndAddressesStretch(list);

  Select(Source(), {1});
  QTest::mouseClick(Button(&dialog, ">>"), Qt::LeftButton);
  EXPECT_TRUE(SaveScreenshot(&dialog, "dialog_add_ip_group"));
  ASSERT_TRUE(Ok("Line"));
  // A, Shares A and HALL: 10.0.0.1 three times, 10.0.0.3 once.
  const CIPGroup expected = Entry("Line", {{10, 0, 0, 1}, {10, 0, 0, 3}});
  EXPECT_EQ(test.app->m_AddressBook.back(), expected);
  EXPECT_EQ(dialog.m_ResultEntry, expected);
  EXPECT_EQ(test.app->m_AddressBook.size(), 5u);
}

TEST_F(AddEditIPGroupDlgTest, AGroupOfOneDistinctAddressIsAnIPEntry) {
  Open(0, -1, {0, 2}, {});
  ASSERT_TRUE(Ok("Both"));
  EXPECT_EQ(test.app->m_AddressBook.back().m_Members.size(), 1u);
  EXPECT_EQ(GetDisplayText(test.app->m_AddressBook.back()), "Both [ 10.0.0.1 ]");
}

TEST_F(AddEditIPGroupDlgTest, ArrowsMoveTheSelectedEntriesToTheEndOfTheOtherList) {
  Open(0, -1, {3}, {0, 1, 2});
  QTest::mouseClick(Button(&dialog, ">>"), Qt::LeftButton);
  EXPECT_EQ(Names(Source()), (QStringList{"A", "B", "Shares A"})) << "nothing selected, nothing moves";
  EXPECT_EQ(Names(Members()), QStringList{"HALL"});

  Select(Source(), {2, 0});
  QTest::mouseClick(Button(&dialog, ">>"), Qt::LeftButton);
  EXPECT_EQ(Names(Source()), QStringList{"B"});
  EXPECT_EQ(Names(Members()), (QStringList{"HALL", "A", "Shares A"}));

  Select(Members(), {0, 2});
  QTest::mouseClick(Button(&dialog, "<<"), Qt::LeftButton);
  EXPECT_EQ(Names(Source()), (QStringList{"B", "HALL", "Shares A"}));
  EXPECT_EQ(Names(Members()), QStringList{"A"});
  EXPECT_EQ(dialog.m_MemberEntries.size(), 1u);
}

TEST_F(AddEditIPGroupDlgTest, RefusedInputKeepsTheDialogOpenAndFocusesTheField) {
  Open(0, -1, {}, {0, 1});
  struct Case {
    QString name;
    bool withMembers;
    std::string message;
    QWidget* focus;
  };
  const Case cases[] = {
      {"Line", false, "There are no IPs to put into group!", Members()},
      {"", true, "Group Name cannot be empty!", NameField(&dialog)},
      {"hall", true, "'hall' is already in use.\nPlease specify another name for the group!", NameField(&dialog)},
  };
  for (const Case& c : cases) {
    test.prompter.errors.clear();
    if (c.withMembers && dialog.m_MemberEntries.empty()) {
      Select(Source(), {0, 1});
      QTest::mouseClick(Button(&dialog, ">>"), Qt::LeftButton);
    }
    EXPECT_FALSE(Ok(c.name)) << c.message;
    EXPECT_EQ(test.prompter.errors, std::vector<std::string>{c.message});
    EXPECT_EQ(QApplication::focusWidget(), c.focus) << c.message;
  }
  EXPECT_EQ(test.app->m_AddressBook.size(), 4u);
}

TEST_F(AddEditIPGroupDlgTest, AGroupNameWithoutBytesIsRefusedAndAUsedOneIsNamedAsTyped) {
  test.app->m_AddressBook.push_back(Entry("Caf\xe9", {{10, 0, 0, 7}}));
  Open(0, -1, {0}, {1});
  NameField(&dialog)->setFocus();
  TypeText(NameField(&dialog), QString::fromUtf8("\u042f"));
  QTest::mouseClick(Button(&dialog, "OK"), Qt::LeftButton);
  EXPECT_FALSE(Ok(QString::fromUtf8("CAF\u00e9")));
  EXPECT_EQ(test.prompter.errors,
            (std::vector<std::string>{
                "The name holds characters that have no Windows-1252 byte: \"\u042f\" (U+042F) at position 1.\n"
                "Please specify another name for the group!",
                "'CAF\u00e9' is already in use.\nPlease specify another name for the group!"}));
  EXPECT_EQ(test.app->m_AddressBook.size(), 5u);
}

TEST_F(AddEditIPGroupDlgTest, EditingShowsTheGroupAndReplacesItInPlace) {
  Open(1, 3, {3}, {0, 1, 2});
  EXPECT_EQ(dialog.windowTitle(), "Edit IP Group");
  EXPECT_EQ(NameField(&dialog)->text(), "HALL");
  EXPECT_TRUE(SaveScreenshot(&dialog, "dialog_edit_ip_group"));
  Select(Source(), {1});
  QTest::mouseClick(Button(&dialog, ">>"), Qt::LeftButton);
  ASSERT_TRUE(Ok("a")) << "an edit may take another entry's name";
  EXPECT_EQ(test.app->m_AddressBook[3], Entry("a", {{10, 0, 0, 1}, {10, 0, 0, 3}, {10, 0, 0, 2}}));
  EXPECT_EQ(test.app->m_AddressBook.size(), 4u);
}

}  // namespace
