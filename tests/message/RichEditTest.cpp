// The message editor on its own, driven by the keyboard and the mouse as the operator would.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>

#include "gui/TypeText.h"
#include "message/NorvRichEditCtrl.h"
#include "message/QtColorRef.h"

namespace {

class RichEditTest : public ::testing::Test {
 protected:
  RichEditTest() {
    for (QComboBox* list : {&sizes, &colors, &blinks, &effects}) list->addItems({"a", "b", "c", "d", "e"});
    editor.SetLinks(&sizes, &colors, &blinks, &effects);
    QObject::connect(&blinks, &QComboBox::currentIndexChanged, &editor, &CNorvRichEditCtrl::ToggleBlink);
    editor.show();
    editor.setFocus();
  }

  // Chooses "Blink On" or "Blink Off" in the blink list.
  void Blink(bool on) { blinks.setCurrentIndex(on ? 1 : 0); }
  void Type(const char* text) { QTest::keyClicks(&editor, text); }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { QTest::keyClick(&editor, key, modifiers); }
  // Puts the caret at position (counting one per line break) as a click would.
  void ClickAt(int position) {
    QTextCursor cursor = editor.textCursor();
    cursor.setPosition(position);
    editor.setTextCursor(cursor);
    QTest::mouseRelease(editor.viewport(), Qt::LeftButton, {}, editor.cursorRect().center());
  }
  void Select(int from, int to) {
    QTextCursor cursor = editor.textCursor();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    editor.setTextCursor(cursor);
  }
  // Pastes through the clipboard with Ctrl+V.
  void Paste(QMimeData* data) {
    QApplication::clipboard()->setMimeData(data);
    Key(Qt::Key_V, Qt::ControlModifier);
  }
  CHAR_PROP At(size_t line, size_t index) const { return editor.m_Lines.at(line).at(index); }

  QComboBox sizes, colors, blinks, effects;
  CNorvRichEditCtrl editor;
};

TEST_F(RichEditTest, TheBackgroundIsDarkAndEveryTextColourAndTheCaretStandOut) {
  const QPalette palette = editor.palette();
  const double background = palette.color(QPalette::Base).lightnessF();
  EXPECT_LT(background, 0.2);
  for (COLORREF colour : {COLORREF{0x0000FF}, COLORREF{0x00FFFF}, COLORREF{0x00FF00}})
    EXPECT_GT(ToQColor(colour).lightnessF() - background, 0.3) << std::hex << colour;
  EXPECT_GT(palette.color(QPalette::Text).lightnessF() - background, 0.5) << "the caret";
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
    EXPECT_NE(palette.color(group, QPalette::Highlight), palette.color(group, QPalette::Base)) << "the selection";
}

TEST_F(RichEditTest, AnEmptyEditorIsOneEmptyLineAndCountsOneLineAfterItsFirstChange) {
  EXPECT_EQ(editor.GetTextWithCodes(), "");
  EXPECT_EQ(editor.m_Lines, std::vector<LINE1_PROP>(1));

  QSignalSpy lengths(&editor, &CNorvRichEditCtrl::MessageLengthChanged);
  QSignalSpy carets(&editor, &CNorvRichEditCtrl::CaretPositionChanged);
  Type("a");
  Key(Qt::Key_Backspace);
  ASSERT_FALSE(lengths.isEmpty());
  EXPECT_EQ(lengths.last(), (QList<QVariant>{1, 0}));
  EXPECT_EQ(carets.last(), (QList<QVariant>{1, 0}));
}

TEST_F(RichEditTest, TypingAtTheEndOfALineTakesTheTypingAttributes) {
  Type("A");
  editor.SetTypingSize(2);
  editor.SetTypingColor(3);
  Blink(true);
  Type("B");
  editor.SetTypingColor(2);
  Blink(false);
  Key(Qt::Key_Return);
  Type("C");
  EXPECT_EQ(editor.GetTextWithCodes(), "^K0^dC1A^K1^dC2^X1B^N^K1^dC3^X0C");
  EXPECT_EQ(At(0, 1), (CHAR_PROP{2, 'B', kColorGreen, 1}));
  EXPECT_EQ(At(1, 0), (CHAR_PROP{2, 'C', kColorYellow, 0}));

  // As the control shows them: point size, text colour (red, green, blue) and underline.
  QTextCursor second(editor.document());
  second.setPosition(2);
  EXPECT_EQ(second.charFormat().fontPointSize(), 21);
  EXPECT_EQ(second.charFormat().foreground().color(), QColor(0, 255, 0));
  EXPECT_TRUE(second.charFormat().fontUnderline());
  QTextCursor third(editor.document());
  third.setPosition(4);
  EXPECT_EQ(third.charFormat().foreground().color(), QColor(255, 255, 0)) << "0x00FFFF is yellow, not cyan";
}

TEST_F(RichEditTest, TypingInsideALineTakesTheNeighboursFormat) {
  editor.SetTypingSize(3);
  Type("AC");
  editor.SetTypingSize(1);
  Key(Qt::Key_Left);
  Type("B");
  EXPECT_EQ(editor.GetTextWithCodes(), "^K2^dC1ABC");
}

TEST_F(RichEditTest, BackspaceLeavesTheCharacterBeforeTheCaretAsItWas) {
  Type("AB");
  editor.SetTypingColor(3);
  Key(Qt::Key_Backspace);
  EXPECT_EQ(editor.GetTextWithCodes(), "^K0^dC1A") << "A keeps its red";
  Type("C");
  EXPECT_EQ(editor.GetTextWithCodes(), "^K0^dC1A^dC2C");
}

TEST_F(RichEditTest, ShiftEnterStartsANewLineToo) {
  Type("A");
  Key(Qt::Key_Return, Qt::ShiftModifier);
  Type("B");
  EXPECT_EQ(editor.document()->blockCount(), 2);
  EXPECT_EQ(editor.GetTextWithCodes(), "^K0^dC1A^N^K0^dC1B");
}

TEST_F(RichEditTest, TheCaretIsCountedInMarqueeLinesAndColumns) {
  QSignalSpy carets(&editor, &CNorvRichEditCtrl::CaretPositionChanged);
  QSignalSpy lengths(&editor, &CNorvRichEditCtrl::MessageLengthChanged);
  Type("AB");
  Key(Qt::Key_Return);
  Type("XY");
  Key(Qt::Key_Home);
  EXPECT_EQ(carets.last(), (QList<QVariant>{2, 0})) << "before X: both lines' heights, column 0";
  Key(Qt::Key_Up);
  Key(Qt::Key_End);
  EXPECT_EQ(carets.last(), (QList<QVariant>{1, 2}));

  editor.SetTypingSize(2);
  Type("C");  // line 1 is now A, B and a size-2 C
  EXPECT_EQ(lengths.last(), (QList<QVariant>{3, 6}));
  ClickAt(1);
  EXPECT_EQ(carets.last(), (QList<QVariant>{2, 1}));
  ClickAt(5);  // line 2, after X: the position counts one per line break
  EXPECT_EQ(carets.last(), (QList<QVariant>{3, 1}));
}

TEST_F(RichEditTest, TheListsShowTheCharacterAtTheCaretOrTheTypingAttributesAtTheLineEnd) {
  editor.SetTypingSize(4);
  editor.SetTypingColor(2);
  Type("A");
  editor.SetTypingSize(1);
  editor.SetTypingColor(1);
  Blink(true);
  Type("B");
  editor.SetTypingSize(2);
  Key(Qt::Key_Left);
  Key(Qt::Key_Left);  // before A
  EXPECT_EQ(sizes.currentIndex(), 3);
  EXPECT_EQ(colors.currentIndex(), 1);
  EXPECT_EQ(blinks.currentIndex(), 0);
  Key(Qt::Key_Right);  // before B
  EXPECT_EQ(sizes.currentIndex(), 0);
  EXPECT_EQ(colors.currentIndex(), 0);
  EXPECT_EQ(blinks.currentIndex(), 1);
  Key(Qt::Key_End);  // the typing attributes, which the lists did not change
  EXPECT_EQ(sizes.currentIndex(), 1);
  EXPECT_EQ(colors.currentIndex(), 0);
  EXPECT_EQ(blinks.currentIndex(), 1);
  Type("C");
  EXPECT_EQ(At(0, 2), (CHAR_PROP{2, 'C', kColorRed, 1}));

  effects.setCurrentIndex(4);  // "Scroll once": nothing blinks
  Key(Qt::Key_Left);
  EXPECT_EQ(blinks.currentIndex(), 0);
  Key(Qt::Key_End);
  Type("D");
  EXPECT_EQ(At(0, 3).blink, 0) << "the typing blink is off under a scrolling effect";
}

TEST_F(RichEditTest, TheBlinkListsChoiceHoldsAlsoWhenItShowedACharacterBefore) {
  Blink(true);
  Type("A");
  Blink(false);
  Type("B");
  Blink(true);
  Key(Qt::Key_Left);  // before B, which does not blink: the list shows "Blink Off"
  ASSERT_EQ(blinks.currentIndex(), 0);
  Blink(true);
  Key(Qt::Key_End);
  Type("C");
  EXPECT_EQ(At(0, 2).blink, 1) << "chosen \"Blink On\", typed text blinks";
}

TEST_F(RichEditTest, ListChangesReachOnlyTheSelectedCharactersAndOnlyTheirOwnAttribute) {
  Type("AB");
  editor.SetTypingColor(3);
  Type("CD");
  Select(1, 3);  // B (red) and C (green)
  editor.SetTypingSize(3);
  EXPECT_EQ(editor.GetTextWithCodes(), "^K0^dC1A^K2B^dC2C^K0D") << "the colours stay";
  Blink(true);
  EXPECT_EQ(editor.GetTextWithCodes(), "^K0^dC1A^K2^X1B^dC2C^K0^X0D");
  Blink(false);
  EXPECT_EQ(editor.GetTextWithCodes(), "^K0^dC1A^K2B^dC2C^K0D");
  EXPECT_EQ(editor.textCursor().selectedText(), "BC");
}

TEST_F(RichEditTest, ClearAllBlinkClearsEveryCharacterAndTheTypingBlinkAndKeepsTheSelection) {
  Blink(true);
  Type("ABC");
  Select(0, 1);
  editor.ClearAllBlink();
  EXPECT_EQ(editor.GetTextWithCodes(), "^K0^dC1ABC");
  EXPECT_EQ(editor.textCursor().selectedText(), "A");
  Key(Qt::Key_End);
  Type("D");
  EXPECT_EQ(At(0, 3).blink, 0);
}

TEST_F(RichEditTest, PastedTextKeepsItsFormatsAndTakesTheRestAsTyped) {
  editor.SetTypingColor(3);
  auto* rich = new QMimeData;
  rich->setHtml(
      "<span style=\"font-size:21pt; color:#ffff00; text-decoration:underline\">Y</span>"
      "<span style=\"color:#0000ff\">b</span><span>p</span><br>n<img src=\"x.png\">");
  Paste(rich);
  ASSERT_EQ(editor.m_Lines.size(), 2u);
  EXPECT_EQ(At(0, 0), (CHAR_PROP{2, 'Y', kColorYellow, 1}));
  EXPECT_EQ(At(0, 1), (CHAR_PROP{1, 'b', 0xFF0000, 0})) << "blue keeps its own value";
  EXPECT_EQ(At(0, 2), (CHAR_PROP{1, 'p', kColorGreen, 0})) << "without a colour of its own: as typed";
  EXPECT_EQ(editor.m_Lines[1].size(), 1u) << "the picture is dropped";
  EXPECT_EQ(editor.GetTextWithCodes(), "^K1^dC3^X1Y^K0^dC1^X0b^dC2p^N^K0^dC2n");

  Select(1, 2);
  QTest::mouseRelease(editor.viewport(), Qt::LeftButton, {}, editor.cursorRect().center());
  EXPECT_EQ(colors.currentIndex(), 2) << "an unknown colour shows as Green";
}

TEST_F(RichEditTest, PastedPlainTextStartsNewLinesAtItsLineBreaks) {
  Type("A");
  auto* plain = new QMimeData;
  plain->setText(QString("bc\r\nd") + QChar::LineSeparator + "e\rf\tx\x1b");
  Paste(plain);
  EXPECT_EQ(editor.GetTextWithCodes(), "^K0^dC1Abc^N^K0^dC1d^N^K0^dC1e^N^K0^dC1fx") << "no tab, no escape";
}

TEST_F(RichEditTest, CopyAndPasteWithinTheEditorKeepsTheFormats) {
  editor.SetTypingSize(2);
  editor.SetTypingColor(2);
  Blink(true);
  Type("AB");
  Key(Qt::Key_A, Qt::ControlModifier);
  Key(Qt::Key_C, Qt::ControlModifier);
  Key(Qt::Key_End);
  editor.SetTypingSize(1);
  editor.SetTypingColor(1);
  Blink(false);
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(editor.GetTextWithCodes(), "^K1^dC3^X1ABAB");
}

TEST_F(RichEditTest, UndoTakesBackTypingAndItsAttributesInOneGo) {
  Type("AB");
  editor.SetTypingColor(3);
  Type("C");
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(editor.toPlainText(), "AB");
  EXPECT_EQ(editor.GetTextWithCodes(), "^K0^dC1AB") << "B keeps its red";
  for (int presses = 0; presses < 10 && editor.document()->isUndoAvailable(); ++presses)
    Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(editor.toPlainText(), "");
}

TEST_F(RichEditTest, ACharacterWithoutAByteIsMarkedWhereItStandsApartFromBlinking) {
  Blink(true);
  TypeText(&editor, QString::fromUtf8("5\u20ac \u03a9"));
  EXPECT_EQ(editor.GetTextWithCodes(), "^K0^dC1^X15\x80 ?");
  EXPECT_EQ(editor.Unmappable(), (std::vector<UnmappableChar>{{U'\u03a9', 4, 1}}));
  ASSERT_EQ(editor.extraSelections().size(), 1);
  const QTextEdit::ExtraSelection mark = editor.extraSelections().front();
  EXPECT_EQ(mark.cursor.selectionStart(), 3);
  EXPECT_EQ(mark.cursor.selectionEnd(), 4);
  EXPECT_TRUE(mark.format.fontStrikeOut());
  EXPECT_FALSE(mark.format.hasProperty(QTextFormat::TextUnderlineStyle)) << "underline means blinking";
  EXPECT_EQ(At(0, 3).blink, 1);

  // A character beyond the first plane takes two units of the text and is one character.
  Key(Qt::Key_Return);
  auto* plain = new QMimeData;
  plain->setText(QString::fromUtf8("a\U0001F600b"));
  Paste(plain);
  EXPECT_EQ(editor.Unmappable(), (std::vector<UnmappableChar>{{U'\u03a9', 4, 1}, {U'\U0001F600', 2, 2}}));
  ASSERT_EQ(editor.extraSelections().size(), 2);
  EXPECT_EQ(editor.extraSelections()[1].cursor.selectedText(), QString::fromUtf8("\U0001F600"));

  editor.selectAll();
  Type("ok");
  EXPECT_TRUE(editor.Unmappable().empty());
  EXPECT_TRUE(editor.extraSelections().isEmpty());
  editor.LoadIntoEditor("^K0^dC1\x80\x93\x9f");
  EXPECT_EQ(editor.toPlainText(), QString::fromUtf8("\u20ac\u201c\u0178")) << "stored bytes are Windows-1252";
}

TEST_F(RichEditTest, LoadingAStoredTextShowsItsAttributes) {
  Blink(true);
  editor.SetTypingSize(3);
  editor.LoadIntoEditor("^K0^dC1AB^N^K1^dC2^X1CD^K4^N");
  EXPECT_EQ(editor.toPlainText(), "AB\nCD^K4") << "the final ^N is dropped; ^K4 is text";
  EXPECT_EQ(editor.GetTextWithCodes(), "^K0^dC1AB^N^K1^dC2^X1CD^K4");
  EXPECT_EQ(editor.textCursor().position(), 0);
  EXPECT_FALSE(editor.document()->isUndoAvailable());

  Key(Qt::Key_End);
  Type("x");
  EXPECT_EQ(At(0, 2), (CHAR_PROP{1, 'x', kColorRed, 0})) << "loading resets the typing attributes";
}

}  // namespace
