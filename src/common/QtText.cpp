#include "common/QtText.h"

QString ToQString(std::string_view text) {
  QString result;
  result.reserve(static_cast<qsizetype>(text.size()));
  // Every character of the code page lies in the first plane: one QChar per byte.
  for (char byte : text) result += QChar(static_cast<char16_t>(CodePointOfByte(static_cast<unsigned char>(byte))));
  return result;
}

CodePageText ToCodePage(const QString& text, Unmappable mode) {
  // Lone surrogates arrive as U+FFFD, which has no byte, so they are refused like any other.
  return CodePointsToCodePage(text.toStdU32String(), mode);
}

std::string FromQString(const QString& text) {
  return ToCodePage(text, Unmappable::Replace).bytes;
}
