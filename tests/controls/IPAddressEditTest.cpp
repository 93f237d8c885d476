#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "controls/IPAddressEdit.h"

namespace {

// The control between two other controls in an active window, its first field focused.
class IPAddressEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto* layout = new QVBoxLayout(&window);
    before = new QLineEdit(&window);
    edit = new CIPAddressEdit(&window);
    after = new QLineEdit(&window);
    layout->addWidget(before);
    layout->addWidget(edit);
    layout->addWidget(after);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    edit->setFocus();
  }

  // Types each character into whichever field has the focus at that moment, as a user would.
  static void Type(const QString& text) {
    for (QChar c : text) QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
  }
  QList<QLineEdit*> Fields() const { return edit->findChildren<QLineEdit*>(); }
  int FocusedField() const { return static_cast<int>(Fields().indexOf(QApplication::focusWidget())); }

  QWidget window;
  QLineEdit* before = nullptr;
  CIPAddressEdit* edit = nullptr;
  QLineEdit* after = nullptr;
};

TEST_F(IPAddressEditTest, BlankFieldsReadAsZero) {
  EXPECT_TRUE(edit->IsBlank());
  EXPECT_EQ(edit->GetAddress(), (IPAddress{0, 0, 0, 0}));
  Type("10");
  EXPECT_FALSE(edit->IsBlank());
  EXPECT_EQ(edit->GetAddress(), (IPAddress{10, 0, 0, 0}));
}

TEST_F(IPAddressEditTest, TypedAddressesFillTheFourFields) {
  struct Case {
    QString typed;
    IPAddress address;
  };
  const Case cases[] = {
      {"192.168.0.10", {192, 168, 0, 10}},     // a third digit moves on, the dot after it is dropped
      {"1.2.3.4", {1, 2, 3, 4}},               // dots move on
      {"300.1.1.1", {255, 1, 1, 1}},           // above 255 becomes 255
      {"1..2.3.4", {1, 2, 3, 4}},              // a dot in an empty field stays there
      {"12a.b3.4.5", {12, 3, 4, 5}},           // letters are refused
      {"255255255255", {255, 255, 255, 255}},  // digits alone, moving on after each third
  };
  for (const Case& c : cases) {
    edit->Clear();
    edit->setFocus();
    Type(c.typed);
    EXPECT_EQ(edit->GetAddress(), c.address) << c.typed.toStdString();
  }
  edit->Clear();
  edit->setFocus();
  Type("1.2.3.4.5");
  EXPECT_EQ(Fields()[3]->text(), "45") << "the last field has nowhere to move on to";
}

TEST_F(IPAddressEditTest, SetAddressShowsEveryOctetAndSignalsOnce) {
  QSignalSpy changes(edit, &CIPAddressEdit::addressChanged);
  edit->SetAddress({10, 0, 0, 5});
  EXPECT_EQ(changes.count(), 1);
  EXPECT_EQ(Fields()[1]->text(), "0");
  EXPECT_EQ(edit->GetAddress(), (IPAddress{10, 0, 0, 5}));
  EXPECT_FALSE(edit->IsBlank());
  edit->Clear();
  EXPECT_EQ(changes.count(), 2);
  EXPECT_TRUE(edit->IsBlank());
  Type("7");
  EXPECT_EQ(changes.count(), 3) << "typing signals too";
}

TEST_F(IPAddressEditTest, BackspaceAndArrowsCrossTheFields) {
  Type("1.2");
  EXPECT_EQ(FocusedField(), 1);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
  EXPECT_EQ(FocusedField(), 0) << "backspace at the start of a field goes back";
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
  EXPECT_EQ(FocusedField(), 1);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
  EXPECT_EQ(FocusedField(), 0);
  EXPECT_EQ(edit->GetAddress(), (IPAddress{1, 0, 0, 0}));
}

TEST_F(IPAddressEditTest, PastingADottedAddressFillsEveryField) {
  QGuiApplication::clipboard()->setText(" 10.1.2.3 ");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(edit->GetAddress(), (IPAddress{10, 1, 2, 3}));
  QGuiApplication::clipboard()->setText("10.1.2");
  edit->Clear();
  edit->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_TRUE(edit->IsBlank()) << "anything but a whole address is not pasted";
}

TEST_F(IPAddressEditTest, TabLeavesTheControlFromAnyField) {
  Type("1.2.");
  ASSERT_EQ(FocusedField(), 2);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), after);
  edit->setFocus();
  Type("1.2.3.");
  ASSERT_EQ(FocusedField(), 3);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(QApplication::focusWidget(), before);
  QTest::keyClick(before, Qt::Key_Tab);
  EXPECT_EQ(FocusedField(), 0) << "Tab enters at the first field";
}

}  // namespace
