#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

#include "addressbook/AddEditIPDlg.h"
#include "addressbook/AddressBookGui.h"
#include "addressbook/IPConfigChannel.h"
#include "controls/IPAddressEdit.h"
#include "gui/Screenshot.h"
#include "gui/TestApp.h"
#include "gui/TypeText.h"

namespace {

// The IP address dialog open (modal, not waiting) over an address book of two entries.
class AddEditIPDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test.app->m_AddressBook = {Entry("OFFICE", {{10, 0, 0, 1}}), Entry("Hall", {{10, 0, 0, 2}, {10, 0, 0, 3}})};
  }
  void Open(int editMode, int index) {
    dialog.m_nEditMode = editMode;
    dialog.m_nEntryIndex = index;
    dialog.open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  }
  // Fills the fields and presses OK; true when the dialog closed.
  bool Ok(const QString& name, const IPAddress& address) {
    NameField(&dialog)->setText(name);
    AddressField(&dialog)->SetAddress(address);
    QTest::mouseClick(Button(&dialog, "OK"), Qt::LeftButton);
    return !dialog.isVisible();
  }

  PrivateRuntimeFolder runtime;
  TestApp test;
  CAddEditIPDlg dialog;
};

TEST_F(AddEditIPDlgTest, AddingStartsEmptyAndAppendsTheEntry) {
  Open(0, -1);
  EXPECT_EQ(dialog.windowTitle(), "Add IP Address");
  EXPECT_TRUE(NameField(&dialog)->text().isEmpty());
  EXPECT_TRUE(AddressField(&dialog)->IsBlank());
  EXPECT_TRUE(SaveScreenshot(&dialog, "dialog_add_ip_address"));
  ASSERT_TRUE(Ok(" ", {0, 0, 0, 1})) << "a name of a single space is a name";
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  ASSERT_EQ(test.app->m_AddressBook.size(), 3u);
  EXPECT_EQ(test.app->m_AddressBook[2], Entry(" ", {{0, 0, 0, 1}}));
  EXPECT_EQ(test.app->m_AddressBook[2].m_Members[0].m_strName, "") << "the name belongs to the entry";
  EXPECT_EQ(dialog.m_IPGroup, test.app->m_AddressBook[2]);
  EXPECT_TRUE(test.prompter.errors.empty());
}

TEST_F(AddEditIPDlgTest, RefusedInputKeepsTheDialogOpenAndFocusesTheField) {
  struct Case {
    QString name;
    IPAddress address;
    bool blankAddress;
    std::string message;
    bool focusOnName;
  };
  const Case cases[] = {
      {"", {10, 0, 0, 9}, false, "Name cannot be empty!", true},
      {"Door", {0, 0, 0, 0}, false, "Invalid IP Address!", false},
      {"Door", {}, true, "Invalid IP Address!", false},
      {"office", {10, 0, 0, 9}, false, "'office' is already in use.\nPlease specify another name!", true},
      {"hall", {10, 0, 0, 9}, false, "'hall' is already in use.\nPlease specify another name!", true},
  };
  Open(0, -1);
  for (const Case& c : cases) {
    test.prompter.errors.clear();
    NameField(&dialog)->setText(c.name);
    if (c.blankAddress)
      AddressField(&dialog)->Clear();
    else
      AddressField(&dialog)->SetAddress(c.address);
    QTest::mouseClick(Button(&dialog, "OK"), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible()) << c.message;
    EXPECT_EQ(test.prompter.errors, std::vector<std::string>{c.message});
    QWidget* focused = QApplication::focusWidget();
    EXPECT_EQ(focused == NameField(&dialog), c.focusOnName) << c.message;
    EXPECT_EQ(AddressField(&dialog)->isAncestorOf(focused), !c.focusOnName) << c.message;
    EXPECT_EQ(NameField(&dialog)->text(), c.name) << "the fields stay as they were";
  }
  EXPECT_EQ(test.app->m_AddressBook.size(), 2u);
}

TEST_F(AddEditIPDlgTest, ANameIsStoredInTheCodePageOrRefusedNamingWhatHasNoByte) {
  Open(0, -1);
  AddressField(&dialog)->SetAddress({10, 0, 0, 9});
  NameField(&dialog)->setFocus();
  TypeText(NameField(&dialog), QString::fromUtf8("B\u00fcro \u03a9mega"));
  QTest::mouseClick(Button(&dialog, "OK"), Qt::LeftButton);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(test.prompter.errors,
            std::vector<std::string>{"The name holds characters that have no Windows-1252 byte: \"\u03a9\" (U+03A9) at "
                                     "position 6.\nPlease specify another name!"});
  EXPECT_EQ(dialog.focusWidget(), NameField(&dialog));
  EXPECT_EQ(test.app->m_AddressBook.size(), 2u);

  // Pasted over the whole field: the euro sign and the dash have bytes of their own.
  QApplication::clipboard()->setText(QString::fromUtf8("B\u00fcro \u20ac\u2013"));
  NameField(&dialog)->selectAll();
  QTest::keyClick(NameField(&dialog), Qt::Key_V, Qt::ControlModifier);
  QTest::mouseClick(Button(&dialog, "OK"), Qt::LeftButton);
  ASSERT_FALSE(dialog.isVisible());
  EXPECT_EQ(test.app->m_AddressBook.back().m_strName, "B\xfcro \x80\x96");
}

TEST_F(AddEditIPDlgTest, TheHighestAddressIsAccepted) {
  Open(0, -1);
  EXPECT_TRUE(Ok("Door", {255, 255, 255, 255}));
  EXPECT_EQ(test.app->m_AddressBook.back(), Entry("Door", {{255, 255, 255, 255}}));
}

TEST_F(AddEditIPDlgTest, EditingShowsTheEntryAndReplacesItInPlace) {
  Open(1, 0);
  EXPECT_EQ(dialog.windowTitle(), "Edit IP Address");
  EXPECT_EQ(NameField(&dialog)->text(), "OFFICE");
  EXPECT_EQ(AddressField(&dialog)->GetAddress(), (IPAddress{10, 0, 0, 1}));
  EXPECT_TRUE(SaveScreenshot(&dialog, "dialog_edit_ip_address"));
  ASSERT_TRUE(Ok("HALL", {10, 0, 0, 7})) << "an edit may take another entry's name";
  EXPECT_EQ(test.app->m_AddressBook[0], Entry("HALL", {{10, 0, 0, 7}}));
  EXPECT_EQ(test.app->m_AddressBook.size(), 2u);
}

TEST_F(AddEditIPDlgTest, AnAddressTypedOverTheEditedOneIsStoredAsTyped) {
  Open(1, 0);
  QTest::keyClick(NameField(&dialog), Qt::Key_Tab);
  for (char c : std::string("127.0.1.81")) QTest::keyClick(QApplication::focusWidget(), c);
  QTest::mouseClick(Button(&dialog, "OK"), Qt::LeftButton);
  EXPECT_EQ(test.app->m_AddressBook[0], Entry("OFFICE", {{127, 0, 1, 81}}));
}

TEST_F(AddEditIPDlgTest, EditingAnEntryThatIsNotThereAdds) {
  Open(1, 5);
  EXPECT_EQ(dialog.windowTitle(), "Add IP Address");
  EXPECT_FALSE(Ok("office", {10, 0, 0, 7}));
  EXPECT_TRUE(Ok("Door", {10, 0, 0, 7}));
  EXPECT_EQ(test.app->m_AddressBook.size(), 3u);
}

TEST_F(AddEditIPDlgTest, CancelChangesNothing) {
  Open(1, 0);
  NameField(&dialog)->setText("Changed");
  QTest::mouseClick(Button(&dialog, "Cancel"), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_EQ(test.app->m_AddressBook[0].m_strName, "OFFICE");
}

TEST_F(AddEditIPDlgTest, AnAddressHandedBackFillsTheAddress) {
  Open(0, -1);
  AddressField(&dialog)->SetAddress({1, 1, 1, 1});
  struct Case {
    QByteArray sent;
    QString clipboard;
    IPAddress shown;
  };
  const Case cases[] = {
      {"192.168.0.10", "", {192, 168, 0, 10}},
      {"192.168..0.11", "", {192, 168, 0, 11}},
      {"192.168.0", "", {192, 168, 0, 11}},         // not an address: unchanged
      {"1.2.3.4.5", "10.9.9.9", {1, 2, 3, 4}},      // the text sent comes first
      {"", "300.1.1.1", {44, 1, 1, 1}},             // none sent: the clipboard's
      {"Mr. J. R. R. Tolkien", "", {44, 1, 1, 1}},  // dots in prose are no address
      {"", "no address", {44, 1, 1, 1}},
  };
  QSignalSpy taken(dialog.findChild<CLineServer*>(), &CLineServer::lineReceived);
  for (const Case& c : cases) {
    QGuiApplication::clipboard()->setText(c.clipboard);
    ASSERT_TRUE(SendLine(HandBackSocketName(), c.sent)) << c.sent.toStdString();
    ASSERT_TRUE(taken.wait(5000)) << c.sent.toStdString();
    EXPECT_EQ(AddressField(&dialog)->GetAddress(), c.shown) << c.sent.toStdString();
  }
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "no address") << "the clipboard is left as it was";
}

TEST_F(AddEditIPDlgTest, OnlyTheOpenDialogListens) {
  EXPECT_FALSE(SendLine(HandBackSocketName(), "10.0.0.1"));
  Open(0, -1);
  EXPECT_TRUE(SendLine(HandBackSocketName(), "10.0.0.1"));
  dialog.reject();
  EXPECT_FALSE(SendLine(HandBackSocketName(), "10.0.0.1"));
}

}  // namespace
