#include "message/NorvRichEditCtrl.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <cmath>

#include "common/CodePage.h"
#include "message/EditorAttributes.h"
#include "message/InlineCodes.h"
#include "message/MessageCounts.h"
#include "message/MsgAttributes.h"
#include "message/QtColorRef.h"
#include "message/QuietSelect.h"

namespace {

CHAR_PROP AttributesOf(const QTextCharFormat& format) {
  CHAR_PROP attributes;
  attributes.size = SizeOfPointSize(static_cast<int>(std::lround(format.fontPointSize())));
  attributes.color = ToColorRef(format.foreground().color());
  attributes.blink = format.fontUnderline() ? 1 : 0;
  return attributes;
}

QTextCharFormat FormatOf(int size, COLORREF color, bool blink) {
  QTextCharFormat format;
  format.setFontPointSize(PointSizeOfSize(size));
  format.setForeground(ToQColor(color));
  format.setFontUnderline(blink);
  return format;
}

// The format of the character at position; at the end of a line, the format new text there
// would take.
QTextCharFormat FormatOfCharacterAt(const QTextDocument& document, int position) {
  const QTextBlock block = document.findBlock(position);
  for (auto it = block.begin(); !it.atEnd(); ++it)
    if (it.fragment().contains(position)) return it.fragment().charFormat();
  QTextCursor end(block);
  end.setPosition(position);
  return end.charFormat();
}

bool EndsItsLine(const QTextCursor& cursor) {
  QTextCursor end(cursor.document());
  end.setPosition(cursor.selectionEnd());
  return end.atBlockEnd();
}

bool IsNavigationKey(int key) {
  switch (key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
      return true;
    default:
      return false;
  }
}

// Typed text as the editor itself would insert it: printable, and not a Ctrl shortcut.
bool IsTypedText(const QKeyEvent& key) {
  const QString text = key.text();
  const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
  if (modifiers == Qt::ControlModifier || modifiers == (Qt::ControlModifier | Qt::ShiftModifier)) return false;
  return !text.isEmpty() && text.front().isPrint();
}

bool IsLineBreak(QChar c) {
  return c == QChar::LineSeparator || c == QChar::ParagraphSeparator || c == u'\n' || c == u'\r';
}

// Whether a pasted character has a place in a marquee text: no control characters, no
// embedded objects.
bool IsTextCharacter(QChar c) {
  return c.unicode() >= 0x20 && c != QChar::ObjectReplacementCharacter && c.unicode() != 0x7F;
}

// The character starting at index of text and how many units it takes: a surrogate pair is
// one character; a lone surrogate counts as itself (it has no byte either way).
std::pair<char32_t, qsizetype> CharacterAt(const QString& text, qsizetype index) {
  const QChar c = text[index];
  if (c.isHighSurrogate() && index + 1 < text.size() && text[index + 1].isLowSurrogate())
    return {QChar::surrogateToUcs4(c, text[index + 1]), 2};
  return {c.unicode(), 1};
}

// How a character without a byte is marked where it stands: a background and a strike-out,
// both apart from the underline that means blinking. An overlay, not a format of the text,
// so it never reaches the text with inline codes.
QTextEdit::ExtraSelection UnmappableMark(QTextDocument* document, int position, int length) {
  QTextEdit::ExtraSelection mark;
  mark.cursor = QTextCursor(document);
  mark.cursor.setPosition(position);
  mark.cursor.setPosition(position + length, QTextCursor::KeepAnchor);
  // Dark text on a light background stands out of the dark sign whatever the character's colour.
  mark.format.setBackground(QColor(0xFF, 0xC8, 0xC8));
  mark.format.setForeground(QColor(0x40, 0x00, 0x00));
  mark.format.setFontStrikeOut(true);
  return mark;
}

// A dark face like the sign's, on which the red, yellow and green of the text all read; the
// caret (drawn in the text colour) and the selection are light on it, focused or not.
void PaintLikeASign(QWidget* editor) {
  QPalette palette = editor->palette();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    palette.setColor(group, QPalette::Base, kEditorBackground);
    palette.setColor(group, QPalette::Text, QColor(0xF0, 0xF0, 0xF0));
    palette.setColor(group, QPalette::Highlight, QColor(0x5A, 0x78, 0xB4));
    palette.setColor(group, QPalette::HighlightedText, Qt::white);
  }
  editor->setPalette(palette);
}

}  // namespace

CNorvRichEditCtrl::CNorvRichEditCtrl(QWidget* parent) : QTextEdit(parent) {
  PaintLikeASign(this);
  setLineWrapMode(QTextEdit::NoWrap);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setTabChangesFocus(true);
  installEventFilter(this);
  viewport()->installEventFilter(this);
  connect(this, &QTextEdit::textChanged, this, &CNorvRichEditCtrl::OnChange);
  ResetEditor();
}

void CNorvRichEditCtrl::ResetEditor() {
  m_nSize = 1;
  m_nColor = 1;
  m_bBlink = 0;
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(PointSizeOfSize(1));
  document()->setDefaultFont(font);
  clear();
  setCurrentCharFormat(TypingFormat());
}

void CNorvRichEditCtrl::SetLinks(QComboBox* sizeList, QComboBox* colorList, QComboBox* blinkList,
                                 QComboBox* effectList) {
  m_pSizeList = sizeList;
  m_pColorList = colorList;
  m_pBlinkList = blinkList;
  m_pEffectList = effectList;
  for (QComboBox* list : {m_pSizeList, m_pColorList, m_pBlinkList}) SelectQuietly(list, 0);
}

void CNorvRichEditCtrl::SetTypingSize(int size) {
  QTextCharFormat format;
  format.setFontPointSize(PointSizeOfSize(size));
  SetTypingOrSelection(m_nSize, size, format);
}

void CNorvRichEditCtrl::SetTypingColor(int colorIndex) {
  QTextCharFormat format;
  format.setForeground(ToQColor(ColorOfIndex(colorIndex)));
  SetTypingOrSelection(m_nColor, colorIndex, format);
}

void CNorvRichEditCtrl::SetTypingOrSelection(int& typing, int value, const QTextCharFormat& format) {
  QTextCursor cursor = textCursor();
  if (cursor.hasSelection())
    cursor.mergeCharFormat(format);
  else
    typing = value;
}

void CNorvRichEditCtrl::ToggleBlink() {
  // The list's new entry rather than a flip of the state before: the list may have shown the
  // character at the caret, not the typing blink.
  const bool blink = m_pBlinkList && m_pBlinkList->currentIndex() == 1;
  QTextCursor cursor = textCursor();
  if (!cursor.hasSelection()) {
    m_bBlink = blink ? 1 : 0;
    return;
  }
  QTextCharFormat format;
  format.setFontUnderline(blink);
  cursor.mergeCharFormat(format);
}

void CNorvRichEditCtrl::ClearAllBlink() {
  m_bBlink = 0;
  RemoveUnderline();
}

void CNorvRichEditCtrl::RemoveUnderline() {
  bool underlined = false;
  for (QTextBlock block = document()->begin(); block.isValid() && !underlined; block = block.next())
    for (auto it = block.begin(); !it.atEnd() && !underlined; ++it)
      underlined = it.fragment().charFormat().fontUnderline();
  // No empty step to undo when nothing blinks.
  if (!underlined) return;
  QTextCursor all(document());
  all.select(QTextCursor::Document);
  QTextCharFormat format;
  format.setFontUnderline(false);
  all.mergeCharFormat(format);
}

bool CNorvRichEditCtrl::IsScrolling() const {
  return m_pEffectList && IsScrollEffect(m_pEffectList->currentIndex());
}

std::string CNorvRichEditCtrl::GetTextWithCodes() {
  m_Lines.clear();
  m_Lines.reserve(static_cast<size_t>(document()->blockCount()));
  m_Unmappable.clear();
  QList<QTextEdit::ExtraSelection> marks;
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
    LINE1_PROP& line = m_Lines.emplace_back();
    line.reserve(static_cast<size_t>(block.length()));
    size_t column = 0;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      const QString text = fragment.text();
      CHAR_PROP character = AttributesOf(fragment.charFormat());
      for (qsizetype i = 0; i < text.size();) {
        const auto [codePoint, units] = CharacterAt(text, i);
        const std::optional<unsigned char> byte = ByteOfCodePoint(codePoint);
        ++column;
        if (!byte) {
          m_Unmappable.push_back({codePoint, column, m_Lines.size()});
          marks.push_back(
              UnmappableMark(document(), fragment.position() + static_cast<int>(i), static_cast<int>(units)));
        }
        // One record per unit, as the caret counts; such a text is refused before it is sent.
        character.character = byte ? *byte : '?';
        for (qsizetype k = 0; k < units; ++k) line.push_back(character);
        i += units;
      }
    }
  }
  if (!marks.isEmpty() || !extraSelections().isEmpty()) setExtraSelections(marks);
  return EncodeInlineText(m_Lines);
}

void CNorvRichEditCtrl::UpdateCounts() {
  const int caret = textCursor().selectionStart();
  const QTextBlock block = document()->findBlock(caret);
  const MessageCounts counts = CountMessage(m_Lines, static_cast<size_t>(std::max(0, block.blockNumber())),
                                            static_cast<size_t>(std::max(0, caret - block.position())));
  emit MessageLengthChanged(counts.lines, counts.characters);
  emit CaretPositionChanged(counts.caretLine, counts.caretColumn);
}

void CNorvRichEditCtrl::SyncAttributeLists() {
  UpdateCounts();
  const QTextCursor cursor = textCursor();
  const CHAR_PROP atCaret = AttributesOf(FormatOfCharacterAt(*document(), cursor.selectionStart()));
  const bool scrolling = IsScrolling();
  if (scrolling) m_bBlink = 0;
  int size = m_nSize;
  int color = m_nColor;
  int blink = m_bBlink;
  if (cursor.hasSelection() || !cursor.atBlockEnd()) {
    size = atCaret.size;
    color = ColorIndexOf(atCaret.color);
    blink = scrolling ? 0 : atCaret.blink;
  }
  SelectQuietly(m_pSizeList, size - 1);
  SelectQuietly(m_pColorList, color - 1);
  SelectQuietly(m_pBlinkList, blink);
}

void CNorvRichEditCtrl::LoadIntoEditor(std::string_view textWithCodes) {
  ResetEditor();
  QTextCursor cursor(document());
  cursor.beginEditBlock();
  QString run;
  CHAR_PROP runAttributes;
  auto flush = [&] {
    if (run.isEmpty()) return;
    cursor.insertText(run, FormatOf(runAttributes.size, runAttributes.color, runAttributes.blink != 0));
    run.clear();
  };
  for (const InlinePiece& piece : DecodeInlineText(textWithCodes)) {
    CHAR_PROP attributes = piece.character;
    attributes.character = 0;
    if (piece.isLineBreak || attributes != runAttributes) flush();
    if (piece.isLineBreak) {
      cursor.insertBlock();
      continue;
    }
    runAttributes = attributes;
    run += QChar(static_cast<char16_t>(CodePointOfByte(static_cast<unsigned char>(piece.character.character & 0xFF))));
  }
  flush();
  cursor.endEditBlock();
  document()->clearUndoRedoStacks();
  moveCursor(QTextCursor::Start);
  UpdateCounts();
}

void CNorvRichEditCtrl::OnChange() {
  GetTextWithCodes();
  UpdateCounts();
}

bool CNorvRichEditCtrl::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
      if (watched == this && OnKeyPress(*static_cast<QKeyEvent*>(event))) return true;
      break;
    case QEvent::KeyRelease:
      if (watched == this && IsNavigationKey(static_cast<QKeyEvent*>(event)->key())) SyncAttributeLists();
      break;
    case QEvent::MouseButtonRelease:
      if (watched == viewport() && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) SyncAttributeLists();
      break;
    default:
      break;
  }
  return QTextEdit::eventFilter(watched, event);
}

bool CNorvRichEditCtrl::OnKeyPress(const QKeyEvent& key) {
  QTextCursor cursor = textCursor();
  if ((key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) && (key.modifiers() & Qt::ShiftModifier)) {
    // Shift+Enter would break the line inside one marquee line: start a new line instead.
    cursor.insertBlock();
  } else if (IsTypedText(key) && EndsItsLine(cursor)) {
    // Text that ends its line takes the typing attributes as it is inserted, so typing and
    // its attributes are one step to undo.
    cursor.insertText(key.text(), TypingFormat());
  } else {
    return false;
  }
  setTextCursor(cursor);
  ensureCursorVisible();
  return true;
}

void CNorvRichEditCtrl::insertFromMimeData(const QMimeData* source) {
  QTextDocument pasted;
  if (source->hasHtml())
    pasted.setHtml(source->html());
  else if (source->hasText())
    pasted.setPlainText(source->text());
  else
    return;

  QTextCursor cursor = textCursor();
  const QTextCharFormat base = InsertionFormat(cursor);
  cursor.beginEditBlock();
  cursor.removeSelectedText();
  for (QTextBlock block = pasted.begin(); block.isValid(); block = block.next()) {
    if (block != pasted.begin()) cursor.insertBlock();
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat arrived = it.fragment().charFormat();
      QTextCharFormat format = base;
      if (arrived.hasProperty(QTextFormat::FontPointSize)) format.setFontPointSize(arrived.fontPointSize());
      if (arrived.hasProperty(QTextFormat::ForegroundBrush)) format.setForeground(arrived.foreground().color());
      if (arrived.hasProperty(QTextFormat::TextUnderlineStyle) || arrived.hasProperty(QTextFormat::FontUnderline))
        format.setFontUnderline(arrived.fontUnderline());
      QString text;
      for (QChar c : it.fragment().text()) {
        if (IsLineBreak(c)) {
          cursor.insertText(text, format);
          text.clear();
          cursor.insertBlock();
        } else if (IsTextCharacter(c)) {
          text += c;
        }
      }
      cursor.insertText(text, format);
    }
  }
  cursor.endEditBlock();
  setTextCursor(cursor);
  ensureCursorVisible();
}

QTextCharFormat CNorvRichEditCtrl::TypingFormat() const {
  return FormatOf(m_nSize, ColorOfIndex(m_nColor), m_bBlink != 0);
}

QTextCharFormat CNorvRichEditCtrl::InsertionFormat(const QTextCursor& cursor) const {
  if (EndsItsLine(cursor)) return TypingFormat();
  QTextCursor before(cursor.document());
  before.setPosition(cursor.selectionStart());
  return before.charFormat();
}
