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
  Choose(page->m_pAddressList, 2);  // "Specific Unit"
  Choose(page->m_pGroupList, 1);
  Choose(page->m_pUnitList, 5);
  Choose(page->m_pResetList, 1);     // "Clear Display, Home cursor"
  Choose(page->m_pPositionList, 2);  // "Starting at"
  TypeInto(page->m_pLineBox, "2");
  TypeInto(page->m_pColumnBox, "10");
  Choose(page->m_pEffectList, 1);  // "Blink whole message"
  Choose(page->m_pFlashList, 2);   // "Save to Flash"
  Type("HELLO");
  EXPECT_EQ(Generate(), kWorkedExampleString);

  const auto settings = TestApp::Settings();
  const std::pair<const char*, int> saved[] = {{"Address", 2},      {"GroupNumber", 1}, {"UnitNumber", 5},
                                               {"Position", 2},     {"Line", 2},        {"Column", 10},
                                               {"Display Mode", 1}, {"Effect", 1},      {"FlashStore Mode", 2}};
  for (const auto& [name, value] : saved) EXPECT_EQ(settings->value(name).toInt(), value) << name;

  Press(page->m_pAddButton);
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
  Choose(page->m_pSizeList, 1);   // 4"
  Choose(page->m_pColorList, 2);  // "Green"
  Choose(page->m_pBlinkList, 1);  // "Blink On"
  Type("CD");
  Choose(page->m_pSizeList, 3);   // 8"
  Choose(page->m_pColorList, 1);  // "Yellow"
  Choose(page->m_pBlinkList, 0);
  Type("E");
  EXPECT_EQ(Generate(), "^A000000^L3^C1^K0^dC1AB^N^K1^dC2^X1CD^K3^dC3^X0E");
  EXPECT_EQ(page->m_pLengthText->text(), "Msg Length:  Lines:5  Chars:10  ");
  EXPECT_EQ(page->m_pCaretText->text(), "Cursor Pos:  Line:5  Column:9  ");

  // Re-colouring a selection through the list.
  QTextCursor selection = page->m_pEditor->textCursor();
  selection.setPosition(0);
  selection.setPosition(2, QTextCursor::KeepAnchor);
  page->m_pEditor->setTextCursor(selection);
  Choose(page->m_pColorList, 2);
  EXPECT_EQ(Generate(), "^A000000^L3^C1^K0^dC2AB^N^K1^dC2^X1CD^K3^dC3^X0E");
}

TEST_F(ComposerTest, LengthAndCaretStartAtZeroAndAnEmptyLineCountsOne) {
  CMsgDlg* page = composer();
  EXPECT_EQ(page->m_pLengthText->text(), "Msg Length:  Lines:0  Chars:0  ");
  EXPECT_EQ(page->m_pCaretText->text(), "Cursor Pos:  Line:0  Column:1  ");
  Type("a");
  Key(Qt::Key_Backspace);
  EXPECT_EQ(page->m_pLengthText->text(), "Msg Length:  Lines:1  Chars:0  ");
  EXPECT_EQ(page->m_pCaretText->text(), "Cursor Pos:  Line:1  Column:1  ");
  EXPECT_EQ(Generate(), "^A000000^C1") << "an empty text sends no line size";
}

TEST_F(ComposerTest, LineAndColumnAreCheckedWhenAButtonNeedsThem) {
  CMsgDlg* page = composer();
  Choose(page->m_pPositionList, 2);
  EXPECT_EQ(page->m_pLineBox->text(), "1");
  EXPECT_EQ(page->m_pColumnBox->text(), "1");
  TypeInto(page->m_pColumnBox, "");
  EXPECT_EQ(Generate(), "") << "nothing is generated";
  EXPECT_EQ(test.prompter.errors, std::vector<std::string>{kColumnRange});
  EXPECT_EQ(QApplication::focusWidget(), page->m_pColumnBox);

  struct Case {
    const char* line;
    const char* column;
    std::string error;
  };
  const Case bad[] = {{"9", "5", kLineRange}, {"0", "5", kLineRange}, {"", "5", kLineRange}, {"8", "41", kColumnRange}};
  for (const Case& c : bad) {
    test.prompter.errors.clear();
    TypeInto(page->m_pLineBox, c.line);
    TypeInto(page->m_pColumnBox, c.column);
    EXPECT_EQ(Generate(), "") << c.line << "/" << c.column;
    EXPECT_EQ(test.prompter.errors, std::vector<std::string>{c.error}) << c.line << "/" << c.column;
  }
  TypeInto(page->m_pLineBox, "8");
  TypeInto(page->m_pColumnBox, "40");
  ClickCheckBox(page->m_pClearLineBox);
  EXPECT_EQ(Generate(), "^A000000^C0^H0840");
  TypeInto(page->m_pLineBox, "x7");
  EXPECT_EQ(page->m_pLineBox->text(), "7") << "digits only";

  TypeInto(page->m_pLineBox, "9");
  Generate();
  ASSERT_EQ(QApplication::focusWidget(), page->m_pLineBox);
  QTest::keyClicks(QApplication::focusWidget(), "7");
  EXPECT_EQ(page->m_pLineBox->text(), "7") << "the refused value is selected: typing replaces it";
}

TEST_F(ComposerTest, CenterAndDefaultLeaveTheBoxesEmptyDisabledAndUnchecked) {
  CMsgDlg* page = composer();
  Choose(page->m_pPositionList, 2);
  TypeInto(page->m_pLineBox, "3");
  ClickCheckBox(page->m_pClearLineBox);
  EXPECT_TRUE(test.app->m_MsgSettings.m_bClearLine);
  for (int position : {0, 1}) {
    Choose(page->m_pPositionList, position);
    EXPECT_EQ(page->m_pLineBox->text(), "") << position;
    EXPECT_EQ(page->m_pColumnBox->text(), "") << position;
    EXPECT_FALSE(page->m_pLineBox->isEnabled()) << position;
    EXPECT_FALSE(page->m_pColumnBox->isEnabled()) << position;
    EXPECT_FALSE(page->m_pClearLineBox->isEnabled()) << position;
    EXPECT_FALSE(page->m_pClearLineBox->isChecked()) << position;
    EXPECT_FALSE(test.app->m_MsgSettings.m_bClearLine) << position;
  }
  EXPECT_EQ(Generate(), "^A000000");
  EXPECT_TRUE(test.prompter.errors.empty()) << "no range test";
  Choose(page->m_pPositionList, 2);
  EXPECT_EQ(page->m_pLineBox->text(), "3") << "the line typed before";
}

TEST_F(ComposerTest, AScrollEffectTakesTheBlinkingAway) {
  CMsgDlg* page = composer();
  Choose(page->m_pBlinkList, 1);
  Type("AB");
  EXPECT_EQ(Generate(), "^A000000^L0^C1^K0^dC1^X1AB");
  Choose(page->m_pEffectList, 4);  // "Scroll once"
  EXPECT_EQ(page->m_pBlinkList->currentIndex(), 0);
  EXPECT_FALSE(page->m_pBlinkList->isEnabled());
  Type("C");
  EXPECT_EQ(Generate(), "^A000000^L0^C1^D0^K0^dC1ABC^N");
  Choose(page->m_pEffectList, 0);
  EXPECT_TRUE(page->m_pBlinkList->isEnabled());
}

TEST_F(ComposerTest, UndoUnderAScrollEffectNeverBringsTheBlinkingBack) {
  CMsgDlg* page = composer();
  Choose(page->m_pBlinkList, 1);
  Type("AB");
  Choose(page->m_pBlinkList, 0);
  Type("C");
  Choose(page->m_pEffectList, 3);  // "Scroll Repeatedly"
  QTest::keyClick(page->m_pEditor, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Generate(), "^A000000^L0^C1^D1^K0^dC1ABC^N");
  EXPECT_EQ(page->m_pBlinkList->currentIndex(), 0);
  QTest::keyClick(page->m_pEditor, Qt::Key_Z, Qt::ControlModifier);
  Press(page->m_pPreviewButton);
  for (const LINE1_PROP& line : page->m_pEditor->m_Lines)
    for (const CHAR_PROP& character : line) EXPECT_EQ(character.blink, 0) << "the preview shows no blinking";
}

TEST_F(ComposerTest, AScrollEffectRestoredAtStartLeavesTheBlinkListEnabled) {
  CloseWindow();
  TestApp::Settings()->setValue("Effect", 3);
  OpenWindow();
  EXPECT_EQ(composer()->m_pEffectList->currentIndex(), 3);
  EXPECT_TRUE(composer()->m_pBlinkList->isEnabled());
}

TEST_F(ComposerTest, CopyIsEnabledOnlyForAStringWithMoreThanBlanks) {
  CMsgDlg* page = composer();
  EXPECT_FALSE(page->m_pCopyButton->isEnabled());
  TypeInto(page->m_pAsciiBox, "   ");
  EXPECT_FALSE(page->m_pCopyButton->isEnabled());
  TypeInto(page->m_pAsciiBox, "  ^A x ");
  EXPECT_TRUE(page->m_pCopyButton->isEnabled());
  Press(page->m_pCopyButton);
  EXPECT_EQ(QApplication::clipboard()->text(), "^A x");
  EXPECT_EQ(test.prompter.information, std::vector<std::string>{"ASCII string copied to Clipboard."});
  TypeInto(page->m_pAsciiBox, "");
  EXPECT_FALSE(page->m_pCopyButton->isEnabled());
  Generate();
  EXPECT_TRUE(page->m_pCopyButton->isEnabled());
}

TEST_F(ComposerTest, TheAddressListsFollowTheAddressMode) {
  CMsgDlg* page = composer();
  Type("X");
  EXPECT_FALSE(page->m_pGroupList->isEnabled());
  EXPECT_FALSE(page->m_pUnitList->isEnabled());

  Choose(page->m_pAddressList, 2);  // "Specific Unit"
  EXPECT_TRUE(page->m_pGroupList->isEnabled());
  EXPECT_TRUE(page->m_pUnitList->isEnabled());
  Choose(page->m_pGroupList, 2);
  Choose(page->m_pUnitList, 7);
  EXPECT_EQ(Generate(), "^A020007^L0^C1^K0^dC1X");

  Choose(page->m_pAddressList, 1);  // "Specific Group": the whole group, unit 0
  EXPECT_TRUE(page->m_pGroupList->isEnabled());
  EXPECT_FALSE(page->m_pUnitList->isEnabled());
  EXPECT_EQ(page->m_pGroupList->currentText(), "2");
  EXPECT_EQ(page->m_pUnitList->currentText(), "0");
  EXPECT_EQ(Generate(), "^A020000^L0^C1^K0^dC1X");

  Choose(page->m_pAddressList, 2);
  EXPECT_EQ(page->m_pUnitList->currentText(), "7") << "the unit chosen before";
  Choose(page->m_pAddressList, 0);  // "BroadCast"
  EXPECT_EQ(page->m_pGroupList->currentText(), "0");
  EXPECT_FALSE(page->m_pGroupList->isEnabled());
  EXPECT_EQ(Generate(), "^A000000^L0^C1^K0^dC1X");
  Choose(page->m_pAddressList, 3);  // "Default": no address at all
  EXPECT_EQ(Generate(), "^L0^C1^K0^dC1X");
}

TEST_F(ComposerTest, ADefaultMessageIsStoredForEverySignNotForTheUnitChosenBefore) {
  CMsgDlg* page = composer();
  Type("X");
  Choose(page->m_pAddressList, 2);  // "Specific Unit"
  Choose(page->m_pGroupList, 2);
  Choose(page->m_pUnitList, 7);
  Choose(page->m_pAddressList, 3);  // "Default"
  Press(page->m_pAddButton);
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
  Press(page->m_pSendButton);
  EXPECT_EQ(test.prompter.errors, std::vector<std::string>{"Please select 'Sent to' Marquee."});
  EXPECT_EQ(page->m_pAsciiBox->text(), "") << "nothing is generated";
}

TEST_F(ComposerTest, AFailedCheckBeforeSendingIsASendFailure) {
  CIPGroup sign("Sign");
  sign.m_Members = {CIPData("", IPAddress{127, 0, 0, 4}), CIPData("", IPAddress{127, 0, 0, 4})};
  test.app->m_AddressBook = {sign};
  window->OnDeviceChange();
  CMsgDlg* page = composer();
  EXPECT_TRUE(page->SendToList()->isVisible());
  EXPECT_EQ(test.app->m_SendTarget, sign);
  Choose(page->m_pPositionList, 2);
  TypeInto(page->m_pLineBox, "");
  Press(page->m_pSendButton);
  EXPECT_EQ(test.prompter.errors, (std::vector<std::string>{kLineRange, "Message sent failed."}));
}

TEST_F(ComposerTest, ATextWithCharactersWithoutBytesIsNeitherGeneratedNorSentNorAdded) {
  test.app->m_AddressBook = {CIPGroup("Sign")};
  test.app->m_AddressBook[0].m_Members = {CIPData("", IPAddress{127, 0, 0, 4})};
  window->OnDeviceChange();
  CMsgDlg* page = composer();
  TypeText(page->m_pEditor, QString::fromUtf8("B\u00fcro \u03a9mega"));
  const std::string refusal =
      "The message text holds characters that have no Windows-1252 byte and cannot be sent: \"\u03a9\" (U+03A9) at "
      "line 1, column 6.\nThey are marked in the text.";
  EXPECT_EQ(Generate(), "");
  Press(page->m_pAddButton);
  Press(page->m_pSendButton);
  EXPECT_EQ(test.prompter.errors, (std::vector<std::string>{refusal, refusal, refusal, "Message sent failed."}));
  EXPECT_TRUE(test.app->m_MessageList.empty());
  EXPECT_EQ(QApplication::focusWidget(), page->m_pEditor);

  // Once it is clean nothing is in the way, and the code page's own characters go through.
  test.prompter.errors.clear();
  page->m_pEditor->selectAll();
  TypeText(page->m_pEditor, QString::fromUtf8("Caf\u00e9 5\u20ac"));
  EXPECT_EQ(Generate(), "^A000000^L0^C1^K0^dC1Caf\u00e9 5\u20ac");
  Press(page->m_pCopyButton);
  EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8("^A000000^L0^C1^K0^dC1Caf\u00e9 5\u20ac"));
  EXPECT_TRUE(test.prompter.errors.empty());

  // The ASCII box is editable; what has no byte there is not copied either.
  TypeInto(page->m_pAsciiBox, "^A");
  TypeText(page->m_pAsciiBox, QString::fromUtf8("\u03a9"));
  Press(page->m_pCopyButton);
  EXPECT_EQ(test.prompter.errors, std::vector<std::string>{"The ASCII string cannot be copied: no Windows-1252 byte "
                                                           "for \"\u03a9\" (U+03A9) at position 3."});
  EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8("^A000000^L0^C1^K0^dC1Caf\u00e9 5\u20ac"));
}

TEST_F(ComposerTest, SendToIsShownOnlyForEthernet) {
  test.ports = {{"ttyS0"}, {}};
  window->OnDeviceChange();
  CMsgDlg* page = composer();
  EXPECT_EQ(page->PortList()->currentText(), "Ethernet") << "chosen at start, when there was no port";
  EXPECT_TRUE(page->SendToList()->isVisible());
  Choose(page->PortList(), 0);
  EXPECT_EQ(test.app->m_strPortName, "ttyS0");
  EXPECT_FALSE(page->SendToList()->isVisible());
  Choose(page->PortList(), 1);
  EXPECT_EQ(test.app->m_strPortName, "Ethernet");
  EXPECT_TRUE(page->SendToList()->isVisible());
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
  EXPECT_EQ(page->m_pAddressList->currentIndex(), 2);
  EXPECT_EQ(page->m_pGroupList->currentText(), "1");
  EXPECT_EQ(page->m_pUnitList->currentText(), "3");
  EXPECT_EQ(page->m_pResetList->currentIndex(), 2);
  EXPECT_EQ(page->m_pPositionList->currentIndex(), 2);
  EXPECT_EQ(page->m_pLineBox->text(), "3");
  EXPECT_EQ(page->m_pColumnBox->text(), "4");
  EXPECT_EQ(page->m_pEffectList->currentIndex(), 4);
  EXPECT_EQ(page->m_pFlashList->currentIndex(), 1);
  EXPECT_EQ(page->m_pEditor->toPlainText(), "AB\nC");
  EXPECT_EQ(Generate(), "^A010003^E1^L1^C0^M0304^D0^K1^dC2AB^N^K0^dC3C^N^Y0");
}

TEST_F(ComposerTest, HidingThePageKeepsTheShownGroupAndUnit) {
  CMsgDlg* page = composer();
  Choose(page->m_pAddressList, 2);
  Choose(page->m_pGroupList, 2);
  Choose(page->m_pUnitList, 4);
  tabs()->SelectPage(1);
  EXPECT_EQ(test.app->m_nGroupNumber, 2);
  EXPECT_EQ(test.app->m_nUnitNumber, 4);
}

TEST_F(ComposerTest, TabGoesDownTheLeftColumnThenTheRightOne) {
  CMsgDlg* page = composer();
  EXPECT_EQ(QApplication::focusWidget(), page->m_pAddressList) << "the page opens at its first control";
  Choose(page->m_pPositionList, 2);  // enables the line and column boxes
  const QWidget* expected[] = {page->m_pLineBox,  page->m_pColumnBox, page->m_pClearLineBox,
                               page->m_pSizeList, page->m_pColorList, page->m_pBlinkList,
                               page->m_pEditor,   page->m_pAsciiBox,  page->m_pResetList};
  for (const QWidget* next : expected) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), next) << next->accessibleName().toStdString();
  }
}

TEST_F(ComposerTest, ExitClosesTheProgramsWindow) {
  Press(composer()->m_pExitButton);
  EXPECT_FALSE(window->isVisible());
}

TEST_F(ComposerTest, PreviewNowOpensOneWindowAndRestartsIt) {
  CMsgDlg* page = composer();
  Type("HI");
  Press(page->m_pPreviewButton);
  QPointer<CDlgMsgPreview> first = page->Preview();
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(first->isVisible());
  EXPECT_EQ(first->windowTitle(), "Message Preview");
  EXPECT_EQ(first->m_pSourceLines, &page->m_pEditor->m_Lines);
  Press(page->m_pPreviewButton);
  EXPECT_EQ(page->Preview(), first) << "restarted, not opened again";

  page->m_pModelList->setCurrentIndex(13);
  EXPECT_EQ(test.app->m_MsgSettings.m_nModel, 13);
  EXPECT_EQ(page->Preview(), first);
  EXPECT_EQ(first->MatrixRect().size(), QSize(480, 128)) << "the new model";

  QTest::keyClick(first, Qt::Key_Escape);
  EXPECT_EQ(page->Preview(), nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(first, nullptr) << "a closed preview is deleted";

  page->m_pModelList->setCurrentIndex(0);
  ASSERT_NE(page->Preview(), nullptr) << "a model change opens the preview as Preview Now does";
  EXPECT_EQ(page->Preview()->MatrixRect().size(), QSize(240, 32));
}

TEST_F(ComposerTest, Screenshot) {
  CMsgDlg* page = composer();
  Choose(page->m_pAddressList, 2);
  Choose(page->m_pPositionList, 2);
  Type("Hello");
  Key(Qt::Key_Return);
  Choose(page->m_pSizeList, 1);
  Choose(page->m_pColorList, 2);
  Choose(page->m_pBlinkList, 1);
  Type("World");
  Generate();
  EXPECT_TRUE(SaveScreenshot(window.get(), "composer"));
}

}  // namespace
