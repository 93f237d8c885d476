#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "common/CodePage.h"

// The boundary between the core's single-byte text (Windows-1252, see CodePage.h) and
// Qt's strings. Messages for the operator are UTF-8 instead (see Prompter.h).

// Every byte has a character, so this never loses anything.
QString ToQString(std::string_view text);

// Text the operator typed, pasted or chose: its bytes, or (status BadInput) the characters
// that have none, with their positions. With Replace a "?" stands for each.
CodePageText ToCodePage(const QString& text, Unmappable mode = Unmappable::Refuse);

// Text the program itself put into a widget from bytes (list entries, generated strings,
// number boxes) and system texts: a character without a byte becomes "?". Text the
// operator typed goes through ToCodePage, so nothing of theirs is replaced unseen. A text
// holding a NUL character gives an empty text.
std::string FromQString(const QString& text);
