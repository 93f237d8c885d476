#pragma once

#include <QString>
#include <string>
#include <string_view>

// The boundary between the core's single-byte text and Qt's strings: Latin-1 both ways.
inline QString ToQString(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
std::string FromQString(const QString& text);
