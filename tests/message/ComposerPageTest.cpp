// The composer page through the GUI: lists, boxes, the editor and the buttons as the operator
// uses them; the ASCII box holds what the marquee would get.

#include <QApplication>
#include <QClipboard>
#include <QLabel>

#include "gui/Screenshot.h"
#include "gui/TypeText.h"
#include "message/ComposerFixture.h"
#include "message/CurrentMessage.h"
#include "preview/DlgMsgPreview.h"
#include "support/WorkedExample.h"

namespace {

const std::string kLineRange = "Invalid Input.\nInput Range is 1-8.";
const std::string kColumnRange = "Invalid Input.\nInput Range is 1-40.";

TEST_F(ComposerTest, TheWorkedExampleEndToEnd) {
  CMsgDlg* page = composer();
  Choose(Find<QComboBox>(page, "addressMode"), 2);  // "Specific Unit"
  Choose(Find<QComboBox>(page, "group"), 1);
  Choose(Find<QComboBox>(page, "unit"), 5);
  Choose(Find<QComboBox>(page, "resetMode"), 1);  // "Clear Display, Home cursor"
  Choose(Find<QComboBox>(page, "position"), 2);   // "Starting at"
  TypeInto(Find<QLineEdit>(page, "line"), "2");
  TypeInto(Find<QLineEdit>(page, "column"), "10");
  Choose(Find<QComboBox>(page, "effect"), 1);     // "Blink whole message"
  Choose(Find<QComboBox>(page, "flashMode"), 2);  // "Save to Flash"
  Type("HELLO");
  EXPECT_EQ(Generate(), kWorkedExampleString);

  const auto settings = TestApp::Settings();
  const std::pair<const char*, int> saved[] = {{"Address", 2},      {"GroupNumber", 1}, {"UnitNumber", 5},
                                               {"Position", 2},     {"Line", 2},        {"Column", 10},
                                               {"Display Mode", 1}, {"Effect", 1},      {"FlashStore Mode", 2}};
  for (const auto& [name, value] : saved) EXPECT_EQ(settings->value(name).toInt(), value) << name;

  Press(Find<QPushButton>(page, "Add Message to Database"));
  ASSERT_EQ(test.app->m_MessageList.size(), 1u);
  const CMsgObjDBList& record = *test.app->m_MessageList.front();
  EXPECT_EQ(record.EncodeLine(0), kWorkedExampleLine);
  EXPECT_EQ(record.m_nGroup, kWorkedExampleGroup);
  EXPECT_EQ(record.m_nUnit, kWorkedExampleUnit);
  EXPECT_TRUE(test.prompter.errors.empty());
  EXPECT_TRUE(test.prompter.information.empty()) << "adding shows nothing";
}

TEST_F(ComposerTest, TheDefaultsBroadcastACentredMessage) {
  Type("HI");
  EXPECT_EQ(Generate(), "^A000000^L0^C1^K0^dC1HI");
}

TEST_F(ComposerTest, MixedSizesColoursAndBlinkingChosenFromTheLists) {
  CMsgDlg* page = composer();
  Type("AB");
  Key(Qt::Key_Return);
  Choose(Find<QComboBox>(page, "charSize"), 1);  // 4"
  Choose(Find<QComboBox>(page, "color"), 2);     // "Green"
  Choose(Find<QComboBox>(page, "blink"), 1);     // "Blink On"
  Type("CD");
  Choose(Find<QComboBox>(page, "charSize"), 3);  // 8"
  Choose(Find<QComboBox>(page, "color"), 1);     // "Yellow"
  Choose(Find<QComboBox>(page, "blink"), 0);
  Type("E");
  EXPECT_EQ(Generate(), "^A000000^L3^C1^K0^dC1AB^N^K1^dC2^X1CD^K3^dC3^X0E");
  EXPECT_EQ(Find<QLabel>(page, "length")->text(), "Msg Length:  Lines:5  Chars:10  ");
  EXPECT_EQ(Find<QLabel>(page, "caret")->text(), "Cursor Pos:  Line:5  Column:9  ");

  // Re-colouring a selection through the list.
  QTextCursor selection = Find<CNorvRichEditCtrl>(page, "messageText")->textCursor();
  selection.setPosition(0);
  selection.setPosition(2, QTextCursor::KeepAnchor);
  Find<CNorvRichEditCtrl>(page, "messageText")->setTextCursor(selection);
  Choose(Find<QComboBox>(page, "color"), 2);
  EXPECT_EQ(Generate(), "^A000000^L3^C1^K0^dC2AB^N^K1^dC2^X1CD^K3^dC3^X0E");
}

TEST_F(ComposerTest, LengthAndCaretStartAtZeroAndAnEmptyLineCountsOne) {
  CMsgDlg* page = composer();
  EXPECT_EQ(Find<QLabel>(page, "length")->text(), "Msg Length:  Lines:0  Chars:0  ");
  EXPECT_EQ(Find<QLabel>(page, "caret")->text(), "Cursor Pos:  Line:0  Column:1  ");
  Type("a");
  Key(Qt::Key_Backspace);
  EXPECT_EQ(Find<QLabel>(page, "length")->text(), "Msg Length:  Lines:1  Chars:0  ");
  EXPECT_EQ(Find<QLabel>(page, "caret")->text(), "Cursor Pos:  Line:1  Column:1  ");
  EXPECT_EQ(Generate(), "^A000000^C1") << "an empty text sends no line size";
}

TEST_F(ComposerTest, LineAndColumnAreCheckedWhenAButtonNeedsThem) {
  CMsgDlg* page = composer();
  Choose(Find<QComboBox>(page, "position"), 2);
  EXPECT_EQ(Find<QLineEdit>(page, "line")->text(), "1");
  EXPECT_EQ(Find<QLineEdit>(page, "column")->text(), "1");
  TypeInto(Find<QLineEdit>(page, "column"), "");
  EXPECT_EQ(Generate(), "") << "nothing is generated";
  EXPECT_EQ(test.prompter.errors, std::vector<std::string>{kColumnRange});
  EXPECT_EQ(QApplication::focusWidget(), Find<QLineEdit>(page, "column"));

  struct Case {
    const char* line;
    const char* column;
    std::string error;
  };
  const Case bad[] = {{"9", "5", kLineRange}, {"0", "5", kLineRange}, {"", "5", kLineRange}, {"8", "41", kColumnRange}};
  for (const Case& c : bad) {
    test.prompter.errors.clear();
    TypeInto(Find<QLineEdit>(page, "line"), c.line);
    TypeInto(Find<QLineEdit>(page, "column"), c.column);
    EXPECT_EQ(Generate(), "") << c.line << "/" << c.column;
    EXPECT_EQ(test.prompter.errors, std::vector<std::string>{c.error}) << c.line << "/" << c.column;
  }
  TypeInto(Find<QLineEdit>(page, "line"), "8");
  TypeInto(Find<QLineEdit>(page, "column"), "40");
  ClickCheckBox(Find<QCheckBox>(page, "Clear Message on line"));
  EXPECT_EQ(Generate(), "^A000000^C0^H0840");
  TypeInto(Find<QLineEdit>(page, "line"), "x7");
  EXPECT_EQ(Find<QLineEdit>(page, "line")->text(), "7") << "digits only";

  TypeInto(Find<QLineEdit>(page, "line"), "9");
  Generate();
  ASSERT_EQ(QApplication::focusWidget(), Find<QLineEdit>(page, "line"));
  QTest::keyClicks(QApplication::focusWidget(), "7");
  EXPECT_EQ(Find<QLineEdit>(page, "line")->text(), "7") << "the refused value is selected: typing replaces it";
}

TEST_F(ComposerTest, CenterAndDefaultLeaveTheBoxesEmptyDisabledAndUnchecked) {
  CMsgDlg* page = composer();
  Choose(Find<QComboBox>(page, "position"), 2);
  TypeInto(Find<QLineEdit>(page, "line"), "3");
  ClickCheckBox(Find<QCheckBox>(page, "Clear Message on line"));
  EXPECT_TRUE(test.app->m_MsgSettings.m_bClearLine);
  for (int position : {0, 1}) {
    Choose(Find<QComboBox>(page, "position"), position);
    EXPECT_EQ(Find<QLineEdit>(page, "line")->text(), "") << position;
    EXPECT_EQ(Find<QLineEdit>(page, "column")->text(), "") << position;
    EXPECT_FALSE(Find<QLineEdit>(page, "line")->isEnabled()) << position;
    EXPECT_FALSE(Find<QLineEdit>(page, "column")->isEnabled()) << position;
    EXPECT_FALSE(Find<QCheckBox>(page, "Clear Message on line")->isEnabled()) << position;
    EXPECT_FALSE(Find<QCheckBox>(page, "Clear Message on line")->isChecked()) << position;
    EXPECT_FALSE(test.app->m_MsgSettings.m_bClearLine) << position;
  }
  EXPECT_EQ(Generate(), "^A000000");
  EXPECT_TRUE(test.prompter.errors.empty()) << "no range test";
  Choose(Find<QComboBox>(page, "position"), 2);
  EXPECT_EQ(Find<QLineEdit>(page, "line")->text(), "3") << "the line typed before";
}

TEST_F(ComposerTest, AScrollEffectTakesTheBlinkingAway) {
  CMsgDlg* page = composer();
  Choose(Find<QComboBox>(page, "blink"), 1);
  Type("AB");
  EXPECT_EQ(Generate(), "^A000000^L0^C1^K0^dC1^X1AB");
  Choose(Find<QComboBox>(page, "effect"), 4);  // "Scroll once"
  EXPECT_EQ(Find<QComboBox>(page, "blink")->currentIndex(), 0);
  EXPECT_FALSE(Find<QComboBox>(page, "blink")->isEnabled());
  Type("C");
  EXPECT_EQ(Generate(), "^A000000^L0^C1^D0^K0^dC1ABC^N");
  Choose(Find<QComboBox>(page, "effect"), 0);
  EXPECT_TRUE(Find<QComboBox>(page, "blink")->isEnabled());
}

TEST_F(ComposerTest, UndoUnderAScrollEffectNeverBringsTheBlinkingBack) {
  CMsgDlg* page = composer();
  auto* editor = Find<CNorvRichEditCtrl>(page, "messageText");
  Choose(Find<QComboBox>(page, "blink"), 1);
  Type("AB");
  Choose(Find<QComboBox>(page, "blink"), 0);
  Type("C");
  Choose(Find<QComboBox>(page, "effect"), 3);  // "Scroll Repeatedly"
  // Right after each undo, not only once a button regenerates the string.
  for (int undo = 1; undo <= 3; ++undo) {
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editor->GetTextWithCodes(), "^K0^dC1ABC") << "after undo " << undo;
    EXPECT_EQ(Find<QComboBox>(page, "blink")->currentIndex(), 0);
  }
  Type("D");
  QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(editor->GetTextWithCodes(), "^K0^dC1ABC") << "what is typed afterwards still undoes";
}

TEST_F(ComposerTest, AScrollEffectRestoredAtStartLeavesTheBlinkListEnabled) {
  CloseWindow();
  TestApp::Settings()->setValue("Effect", 3);
  OpenWindow();
  EXPECT_EQ(Find<QComboBox>(composer(), "effect")->currentIndex(), 3);
  EXPECT_TRUE(Find<QComboBox>(composer(), "blink")->isEnabled());
}

TEST_F(ComposerTest, CopyIsEnabledOnlyForAStringWithMoreThanBlanks) {
  CMsgDlg* page = composer();
  EXPECT_FALSE(Find<QPushButton>(page, "copy")->isEnabled());
  TypeInto(Find<QLineEdit>(page, "commandString"), "   ");
  EXPECT_FALSE(Find<QPushButton>(page, "copy")->isEnabled());
  TypeInto(Find<QLineEdit>(page, "commandString"), "  ^A x ");
  EXPECT_TRUE(Find<QPushButton>(page, "copy")->isEnabled());
  Press(Find<QPushButton>(page, "copy"));
  EXPECT_EQ(QApplication::clipboard()->text(), "^A x");
  EXPECT_EQ(test.prompter.information, std::vector<std::string>{"ASCII string copied to Clipboard."});
  TypeInto(Find<QLineEdit>(page, "commandString"), "");
  EXPECT_FALSE(Find<QPushButton>(page, "copy")->isEnabled());
  Generate();
  EXPECT_TRUE(Find<QPushButton>(page, "copy")->isEnabled());
}

TEST_F(ComposerTest, TheAddressListsFollowTheAddressMode) {
  CMsgDlg* page = composer();
  Type("X");
  EXPECT_FALSE(Find<QComboBox>(page, "group")->isEnabled());
  EXPECT_FALSE(Find<QComboBox>(page, "unit")->isEnabled());

  Choose(Find<QComboBox>(page, "addressMode"), 2);  // "Specific Unit"
  EXPECT_TRUE(Find<QComboBox>(page, "group")->isEnabled());
  EXPECT_TRUE(Find<QComboBox>(page, "unit")->isEnabled());
  Choose(Find<QComboBox>(page, "group"), 2);
  Choose(Find<QComboBox>(page, "unit"), 7);
  EXPECT_EQ(Generate(), "^A020007^L0^C1^K0^dC1X");

  Choose(Find<QComboBox>(page, "addressMode"), 1);  // "Specific Group": the whole group, unit 0
  EXPECT_TRUE(Find<QComboBox>(page, "group")->isEnabled());
  EXPECT_FALSE(Find<QComboBox>(page, "unit")->isEnabled());
  EXPECT_EQ(Find<QComboBox>(page, "group")->currentText(), "2");
  EXPECT_EQ(Find<QComboBox>(page, "unit")->currentText(), "0");
  EXPECT_EQ(Generate(), "^A020000^L0^C1^K0^dC1X");

  Choose(Find<QComboBox>(page, "addressMode"), 2);
  EXPECT_EQ(Find<QComboBox>(page, "unit")->currentText(), "7") << "the unit chosen before";
  Choose(Find<QComboBox>(page, "addressMode"), 0);  // "BroadCast"
  EXPECT_EQ(Find<QComboBox>(page, "group")->currentText(), "0");
  EXPECT_FALSE(Find<QComboBox>(page, "group")->isEnabled());
  EXPECT_EQ(Generate(), "^A000000^L0^C1^K0^dC1X");
  Choose(Find<QComboBox>(page, "addressMode"), 3);  // "Default": no address at all
  EXPECT_EQ(Generate(), "^L0^C1^K0^dC1X");
}

TEST_F(ComposerTest, ADefaultMessageIsStoredForEverySignNotForTheUnitChosenBefore) {
  CMsgDlg* page = composer();
  Type("X");
  Choose(Find<QComboBox>(page, "addressMode"), 2);  // "Specific Unit"
  Choose(Find<QComboBox>(page, "group"), 2);
  Choose(Find<QComboBox>(page, "unit"), 7);
  Choose(Find<QComboBox>(page, "addressMode"), 3);  // "Default"
  Press(Find<QPushButton>(page, "Add Message to Database"));
  ASSERT_EQ(test.app->m_MessageList.size(), 1u);
  EXPECT_EQ(test.app->m_MessageList[0]->m_nGroup, 0);
  EXPECT_EQ(test.app->m_MessageList[0]->m_nUnit, 0);
  CloseWindow();
  OpenWindow();
  ASSERT_EQ(test.app->m_MessageList.size(), 1u);
  EXPECT_EQ(CMsgObjDBList::GetAddressModeName(test.app->m_MessageList[0]->m_nAddressMode), "BroadCast");
}

TEST_F(ComposerTest, SendingOverEthernetNeedsASendTarget) {
  CMsgDlg* page = composer();
  ASSERT_EQ(test.app->m_strPortName, "Ethernet");
  Type("X");
  Press(Find<QPushButton>(page, "Send To Marquee"));
  EXPECT_EQ(test.prompter.errors, std::vector<std::string>{"Please select 'Sent to' Marquee."});
  EXPECT_EQ(Find<QLineEdit>(page, "commandString")->text(), "") << "nothing is generated";
}

TEST_F(ComposerTest, AFailedCheckBeforeSendingIsASendFailure) {
  CIPGroup sign("Sign");
  sign.m_Members = {CIPData("", IPAddress{127, 0, 0, 4}), CIPData("", IPAddress{127, 0, 0, 4})};
  test.app->m_AddressBook = {sign};
  window->OnDeviceChange();
  CMsgDlg* page = composer();
  EXPECT_TRUE(Find<QComboBox>(page, "sendTo")->isVisible());
  EXPECT_EQ(test.app->m_SendTarget, sign);
  Choose(Find<QComboBox>(page, "position"), 2);
  TypeInto(Find<QLineEdit>(page, "line"), "");
  Press(Find<QPushButton>(page, "Send To Marquee"));
  EXPECT_EQ(test.prompter.errors, (std::vector<std::string>{kLineRange, "Message sent failed."}));
}

TEST_F(ComposerTest, ATextWithCharactersWithoutBytesIsNeitherGeneratedNorSentNorAdded) {
  test.app->m_AddressBook = {CIPGroup("Sign")};
  test.app->m_AddressBook[0].m_Members = {CIPData("", IPAddress{127, 0, 0, 4})};
  window->OnDeviceChange();
  CMsgDlg* page = composer();
  TypeText(Find<CNorvRichEditCtrl>(page, "messageText"), QString::fromUtf8("B\u00fcro \u03a9mega"));
  const std::string refusal =
      "The message text holds characters that have no Windows-1252 byte and cannot be sent: \"\u03a9\" (U+03A9) at "
      "line 1, column 6.\nThey are marked in the text.";
  EXPECT_EQ(Generate(), "");
  Press(Find<QPushButton>(page, "Add Message to Database"));
  Press(Find<QPushButton>(page, "Send To Marquee"));
  EXPECT_EQ(test.prompter.errors, (std::vector<std::string>{refusal, refusal, refusal, "Message sent failed."}));
  EXPECT_TRUE(test.app->m_MessageList.empty());
  EXPECT_EQ(QApplication::focusWidget(), Find<CNorvRichEditCtrl>(page, "messageText"));

  // Once it is clean nothing is in the way, and the code page's own characters go through.
  test.prompter.errors.clear();
  Find<CNorvRichEditCtrl>(page, "messageText")->selectAll();
  TypeText(Find<CNorvRichEditCtrl>(page, "messageText"), QString::fromUtf8("Caf\u00e9 5\u20ac"));
  EXPECT_EQ(Generate(), "^A000000^L0^C1^K0^dC1Caf\u00e9 5\u20ac");
  Press(Find<QPushButton>(page, "copy"));
  EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8("^A000000^L0^C1^K0^dC1Caf\u00e9 5\u20ac"));
  EXPECT_TRUE(test.prompter.errors.empty());

  // The ASCII box is editable; what has no byte there is not copied either.
  TypeInto(Find<QLineEdit>(page, "commandString"), "^A");
  TypeText(Find<QLineEdit>(page, "commandString"), QString::fromUtf8("\u03a9"));
  Press(Find<QPushButton>(page, "copy"));
  EXPECT_EQ(test.prompter.errors, std::vector<std::string>{"The ASCII string cannot be copied: no Windows-1252 byte "
                                                           "for \"\u03a9\" (U+03A9) at position 3."});
  EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8("^A000000^L0^C1^K0^dC1Caf\u00e9 5\u20ac"));
}

TEST_F(ComposerTest, SendToIsShownOnlyForEthernet) {
  test.ports = {{"ttyS0"}, {}};
  window->OnDeviceChange();
  CMsgDlg* page = composer();
  EXPECT_EQ(Find<QComboBox>(page, "port")->currentText(), "Ethernet") << "chosen at start, when there was no port";
  EXPECT_TRUE(Find<QComboBox>(page, "sendTo")->isVisible());
  Choose(Find<QComboBox>(page, "port"), 0);
  EXPECT_EQ(test.app->m_strPortName, "ttyS0");
  EXPECT_FALSE(Find<QComboBox>(page, "sendTo")->isVisible());
  Choose(Find<QComboBox>(page, "port"), 1);
  EXPECT_EQ(test.app->m_strPortName, "Ethernet");
  EXPECT_TRUE(Find<QComboBox>(page, "sendTo")->isVisible());
}

TEST_F(ComposerTest, APickedMessageIsReloadedWhenThePageIsShown) {
  CMsgObjDBList record;
  record.m_nGroup = 1;
  record.m_nUnit = 3;
  record.m_nAddressMode = kAddressSpecificUnit;
  record.m_nResetMode = kResetClearHomeReset;
  record.m_nPosition = kPositionStartingAt;
  record.m_nLine = 3;
  record.m_nColumn = 4;
  record.m_nEffect = kEffectScrollOnce;
  record.m_nFlashMode = kFlashClear;
  record.m_strText[0] = "^K1^dC2AB^N^K0^dC3C";
  tabs()->SelectPage(3);
  test.app->m_PickedMessage.CopyFrom(record);
  PickRecordIntoCurrentMessage(record, test.app->m_MsgSettings, test.app->m_nGroupNumber, test.app->m_nUnitNumber);
  test.app->m_bMessageLoaded = true;
  tabs()->SelectPage(0);

  CMsgDlg* page = composer();
  EXPECT_FALSE(test.app->m_bMessageLoaded);
  EXPECT_EQ(Find<QComboBox>(page, "addressMode")->currentIndex(), 2);
  EXPECT_EQ(Find<QComboBox>(page, "group")->currentText(), "1");
  EXPECT_EQ(Find<QComboBox>(page, "unit")->currentText(), "3");
  EXPECT_EQ(Find<QComboBox>(page, "resetMode")->currentIndex(), 2);
  EXPECT_EQ(Find<QComboBox>(page, "position")->currentIndex(), 2);
  EXPECT_EQ(Find<QLineEdit>(page, "line")->text(), "3");
  EXPECT_EQ(Find<QLineEdit>(page, "column")->text(), "4");
  EXPECT_EQ(Find<QComboBox>(page, "effect")->currentIndex(), 4);
  EXPECT_EQ(Find<QComboBox>(page, "flashMode")->currentIndex(), 1);
  EXPECT_EQ(Find<CNorvRichEditCtrl>(page, "messageText")->toPlainText(), "AB\nC");
  EXPECT_EQ(Generate(), "^A010003^E1^L1^C0^M0304^D0^K1^dC2AB^N^K0^dC3C^N^Y0");
}

TEST_F(ComposerTest, HidingThePageKeepsTheShownGroupAndUnit) {
  CMsgDlg* page = composer();
  Choose(Find<QComboBox>(page, "addressMode"), 2);
  Choose(Find<QComboBox>(page, "group"), 2);
  Choose(Find<QComboBox>(page, "unit"), 4);
  tabs()->SelectPage(1);
  EXPECT_EQ(test.app->m_nGroupNumber, 2);
  EXPECT_EQ(test.app->m_nUnitNumber, 4);
}

TEST_F(ComposerTest, TabGoesDownTheLeftColumnThenTheRightOne) {
  CMsgDlg* page = composer();
  EXPECT_EQ(QApplication::focusWidget(), Find<QComboBox>(page, "addressMode")) << "the page opens at its first control";
  Choose(Find<QComboBox>(page, "position"), 2);  // enables the line and column boxes
  const QWidget* expected[] = {Find<QLineEdit>(page, "line"),
                               Find<QLineEdit>(page, "column"),
                               Find<QCheckBox>(page, "Clear Message on line"),
                               Find<QComboBox>(page, "charSize"),
                               Find<QComboBox>(page, "color"),
                               Find<QComboBox>(page, "blink"),
                               Find<CNorvRichEditCtrl>(page, "messageText"),
                               Find<QLineEdit>(page, "commandString"),
                               Find<QComboBox>(page, "resetMode")};
  for (const QWidget* next : expected) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), next) << next->accessibleName().toStdString();
  }
}

TEST_F(ComposerTest, ExitClosesTheProgramsWindow) {
  Press(Find<QPushButton>(composer(), "Exit"));
  EXPECT_FALSE(window->isVisible());
}

TEST_F(ComposerTest, PreviewNowOpensOneWindowAndRestartsIt) {
  CMsgDlg* page = composer();
  Type("HI");
  Press(Find<QPushButton>(page, "Preview Now"));
  QPointer<CDlgMsgPreview> first = page->Preview();
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(first->isVisible());
  EXPECT_EQ(first->windowTitle(), "Message Preview");
  EXPECT_EQ(first->m_pSourceLines, &Find<CNorvRichEditCtrl>(page, "messageText")->m_Lines);
  Press(Find<QPushButton>(page, "Preview Now"));
  EXPECT_EQ(page->Preview(), first) << "restarted, not opened again";

  Find<QComboBox>(page, "model")->setCurrentIndex(13);
  EXPECT_EQ(test.app->m_MsgSettings.m_nModel, 13);
  EXPECT_EQ(page->Preview(), first);
  EXPECT_EQ(first->MatrixRect().size(), QSize(480, 128)) << "the new model";

  QTest::keyClick(first, Qt::Key_Escape);
  EXPECT_EQ(page->Preview(), nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(first, nullptr) << "a closed preview is deleted";

  Find<QComboBox>(page, "model")->setCurrentIndex(0);
  ASSERT_NE(page->Preview(), nullptr) << "a model change opens the preview as Preview Now does";
  EXPECT_EQ(page->Preview()->MatrixRect().size(), QSize(240, 32));
}

TEST_F(ComposerTest, Screenshot) {
  CMsgDlg* page = composer();
  Choose(Find<QComboBox>(page, "addressMode"), 2);
  Choose(Find<QComboBox>(page, "position"), 2);
  Type("Hello");
  Key(Qt::Key_Return);
  Choose(Find<QComboBox>(page, "charSize"), 1);
  Choose(Find<QComboBox>(page, "color"), 2);
  Choose(Find<QComboBox>(page, "blink"), 1);
  Type("World");
  Generate();
  EXPECT_TRUE(SaveScreenshot(window.get(), "composer"));
}

}  // namespace
