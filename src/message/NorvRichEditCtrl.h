#pragma once

#include <QColor>
#include <QTextCharFormat>
#include <QTextEdit>
#include <string>
#include <string_view>
#include <vector>

#include "common/CodePage.h"
#include "message/CharProp.h"

class QComboBox;

// The editor's background: near black, as a sign's face between its dots.
inline const QColor kEditorBackground(0x14, 0x14, 0x14);

// The composer's message text box. Every character carries the marquee text attributes:
// its size code as the font's point size (see EditorAttributes.h), its colour as the text
// colour and blinking as underline. One editor line is one marquee line: lines never wrap,
// Enter (with or without Shift) starts a new line, and Tab moves the focus on. The
// background is dark (kEditorBackground), so the three text colours read as on a sign.
//
// A character without a byte in the code page (Windows-1252) is kept where it stands and
// marked there (background and strike-out, unlike the underline of blinking); the page
// refuses to generate from such a text (Unmappable).
//
// The typing attributes (size, colour, blinking) are what text typed at the end of a line
// gets; text typed inside a line takes the format of its neighbour. Pasted or dropped text
// keeps the size, colour and underline it comes with and takes the rest as typed text would;
// its line breaks start new lines, control characters and embedded objects are dropped.
//
// After every change of the content or its formats m_Lines is rebuilt and the counts are
// reported (MessageLengthChanged, CaretPositionChanged). Moving the caret with the
// navigation keys or a click reports the caret position and shows the attributes there in
// the linked lists (SyncAttributeLists).
class CNorvRichEditCtrl : public QTextEdit {
  Q_OBJECT

 public:
  explicit CNorvRichEditCtrl(QWidget* parent = nullptr);

  // An empty editor in the system's fixed font, without undo history; typing attributes
  // size 1, red, not blinking.
  void ResetEditor();
  // The page's size, colour, blink and effect lists (not owned; they outlive the editor):
  // SyncAttributeLists shows the attributes at the caret in the first three, and a
  // scrolling effect in the fourth means nothing blinks. Selects the first entry of the
  // size, colour and blink lists.
  void SetLinks(QComboBox* sizeList, QComboBox* colorList, QComboBox* blinkList, QComboBox* effectList);
  // Size code 1 to 5: without a selection the typing size, else the selected characters'
  // size (their colours stay).
  void SetTypingSize(int size);
  // Colour list index (1 red, 2 yellow, 3 green): without a selection the typing colour,
  // else the selected characters' colour (their sizes stay).
  void SetTypingColor(int colorIndex);
  // The blink list's choice changed ("Blink On" or "Blink Off"; no list means off): without a
  // selection the typing blink takes it, with one every selected character does.
  void ToggleBlink();
  // No character blinks any more, and typed ones will not; the selection stays. One step to
  // undo, none when nothing blinked. (Undo may bring blinking back: the page clears it again
  // before it generates or previews under a scroll effect.)
  void ClearAllBlink();
  // The text with inline codes (EncodeInlineText of the lines); rebuilds m_Lines and the
  // characters without a byte (Unmappable) and their marks. Such a character is a "?" in
  // the text and in m_Lines.
  std::string GetTextWithCodes();
  // The characters without a byte, with their line and column (1-based, in characters), as
  // of the last GetTextWithCodes; empty for a clean text.
  const std::vector<UnmappableChar>& Unmappable() const { return m_Unmappable; }
  // Reports the counts of m_Lines (MessageCounts) with the caret at the selection's start.
  void UpdateCounts();
  // Reports the counts, then selects in the linked lists the attributes at the caret
  // without changing the typing attributes: at the end of a line without a selection the
  // typing attributes, elsewhere those of the character after the caret (of the first
  // selected character with a selection). While the effect list shows a scrolling effect
  // the blink list shows "Blink Off" and the typing blink is switched off.
  void SyncAttributeLists();
  // Replaces the content with a text with inline codes (DecodeInlineText: "^N" starts a
  // new line, a final "^N" is dropped) as one step that cannot be undone; caret at the start.
  void LoadIntoEditor(std::string_view textWithCodes);

  // The lines, one entry each, with the characters' attributes (colours as they are, also
  // colours other than the three); one empty line for an empty editor. Rebuilt by
  // GetTextWithCodes, which runs after every change; the preview reads it.
  std::vector<LINE1_PROP> m_Lines;

 signals:
  // In marquee lines and size-1 columns (MessageCounts); the column counts from 0.
  void MessageLengthChanged(int lines, int characters);
  void CaretPositionChanged(int line, int column);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;

 private:
  void OnChange();
  void RemoveUnderline();
  bool IsScrolling() const;
  bool OnKeyPress(const QKeyEvent& key);
  // Without a selection the typing attribute takes value; with one, the selection takes format.
  void SetTypingOrSelection(int& typing, int value, const QTextCharFormat& format);
  QTextCharFormat TypingFormat() const;
  // The format new text at the cursor takes: the typing format when the text will end its
  // line, else the neighbour's.
  QTextCharFormat InsertionFormat(const QTextCursor& cursor) const;

  QComboBox* m_pSizeList = nullptr;
  QComboBox* m_pColorList = nullptr;
  QComboBox* m_pBlinkList = nullptr;
  QComboBox* m_pEffectList = nullptr;
  int m_nSize = 1;   // size code 1 to 5
  int m_nColor = 1;  // colour list index: 1 red, 2 yellow, 3 green
  int m_bBlink = 0;  // 1: typed text blinks
  std::vector<UnmappableChar> m_Unmappable;
};
