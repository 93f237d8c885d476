#pragma once

#include <iosfwd>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "common/CodePage.h"

class CliOptions;

// Text at the tool's edge: arguments arrive as UTF-8 and become the program's
// Windows-1252 bytes; output goes back as UTF-8.

// An argument as bytes: strict UTF-8; a character without a byte is an error naming it
// and its position, unless replace asks for "?". what names the argument in the error
// ("TEXT", "--notice"). False with the message in error.
bool ArgumentBytes(std::string_view utf8, std::string_view what, Unmappable mode, std::string& bytes,
                   std::string& error);

// One field of a listing in UTF-8 on one line: tab, line feed and carriage return as
// "\t", "\n", "\r", a backslash as "\\", every other control byte (and the C1 controls
// that the code page's undefined bytes stand for) as "\xHH".
std::string EscapedField(std::string_view bytes);

// The Unmappable mode that --replace chooses among the parsed options.
Unmappable ReplaceMode(const CliOptions& options);

// Prints a value as one line of JSON (what every --json prints). Its strings must be
// UTF-8: code-page bytes go through CodePageToUtf8 first.
void PrintJson(std::ostream& out, const nlohmann::json& value);
