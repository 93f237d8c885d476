#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <functional>

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

TEST_F(IPAddressEditTest, OddTypingFillsTheFieldsAsTheSystemControlDoes) {
  struct Case {
    QString typed;
    IPAddress address;
  };
  const Case cases[] = {
      {"1..2.3.4", {1, 2, 3, 4}},     // a dot in an empty field stays there
      {"12a.b3.4.5", {12, 3, 4, 5}},  // letters are refused
      {"1 2 3 4", {1, 2, 3, 4}},      // a blank moves on like a dot
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

// However the operator comes to the control, a whole address typed or pasted is that address.
TEST_F(IPAddressEditTest, AWholeAddressTypedOrPastedOverAnyContentIsExactlyThatAddress) {
  struct Way {
    const char* name;
    std::function<void()> enter;
  };
  const auto tabIn = [this] {
    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
  };
  const Way ways[] = {
      {"Tab into blank fields", [&] { edit->Clear(), tabIn(); }},
      {"Tab into filled fields",
       [&] {
         edit->SetAddress({127, 0, 0, 1}), tabIn();
       }},
      {"focus given to filled fields",
       [&] {
         edit->SetAddress({127, 0, 0, 1}), edit->setFocus();
       }},
      {"first octet selected by a double click",
       [&] {
         edit->SetAddress({127, 0, 0, 1});
         QTest::mouseDClick(Fields()[0], Qt::LeftButton);
       }},
  };
  struct Case {
    QString typed;
    IPAddress address;
  };
  const Case cases[] = {
      {"127.0.1.81", {127, 0, 1, 81}},  // a third digit moves on and the dot after it is dropped
      {"192.168.1.50", {192, 168, 1, 50}},   {"10.0.0.5", {10, 0, 0, 5}},
      {"192168001050", {192, 168, 1, 50}},  // no dots: each third digit moves on
      {"255.255.255.0", {255, 255, 255, 0}},
  };
  for (const Way& way : ways) {
    for (const Case& c : cases) {
      way.enter();
      Type(c.typed);
      EXPECT_EQ(edit->GetAddress(), c.address) << way.name << ": " << c.typed.toStdString();
    }
    way.enter();
    QGuiApplication::clipboard()->setText("192.168.1.50");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->GetAddress(), (IPAddress{192, 168, 1, 50})) << way.name << ": pasted";
  }
}

TEST_F(IPAddressEditTest, AnOctetAbove255Becomes255AndAHintSaysSoWhileTypingGoesOn) {
  ASSERT_FALSE(edit->RangeHint()->isVisible());
  Type("300");
  EXPECT_EQ(Fields()[0]->text(), "255");
  EXPECT_TRUE(edit->RangeHint()->isVisible());
  EXPECT_TRUE(edit->RangeHint()->text().contains("300")) << edit->RangeHint()->text().toStdString();
  Type(".1.1.1");
  EXPECT_EQ(edit->GetAddress(), (IPAddress{255, 1, 1, 1}));
  EXPECT_EQ(FocusedField(), 3) << "the hint takes no focus";
  EXPECT_TRUE(edit->RangeHint()->isVisible()) << "typing on does not take the hint away at once";
  window.hide();
  EXPECT_FALSE(edit->RangeHint()->isVisible());
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

TEST_F(IPAddressEditTest, TheFieldMenusPasteTakesAWholeAddress) {
  QGuiApplication::clipboard()->setText("10.1.2.3");
  QTimer::singleShot(0, [] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    for (QAction* action : menu->actions())
      if (action->text().startsWith("&Paste")) action->trigger();
    menu->close();
  });
  QLineEdit* field = Fields()[1];
  QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(2, 2), field->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(field, &click);
  EXPECT_EQ(edit->GetAddress(), (IPAddress{10, 1, 2, 3}));
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
