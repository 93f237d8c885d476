#pragma once

#include <ctime>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Status.h"

// A message text with placeholders, filled in before the text is encoded, so the sizes,
// colours and blinking written around a placeholder apply to the value it becomes:
//   {{time:FORMAT}}, {{date:FORMAT}}   strftime formats in the system's time zone
//   {{var:NAME}}                      a variable's value as it was set
//   {{var:NAME:PRINTF}}               the value through one printf conversion ("%05d", "%.1f")
//   {{var:NAME|DEFAULT}}              DEFAULT while NAME has no value (combines with PRINTF)
// Text outside placeholders is copied byte for byte; a text without "{{" is no template.

// One piece of a parsed template: literal text or a placeholder.
struct TemplatePiece {
  enum class Kind { Literal, Clock, Variable };
  Kind kind = Kind::Literal;
  std::string text;        // Literal: the bytes; Clock: the strftime format; Variable: the name
  std::string conversion;  // Variable: the printf conversion, empty for the value as it is
  bool hasDefault = false;
  std::string defaultValue;
};

// Looks a variable up: its value, or nullptr when it has none.
using VariableLookup = std::function<const std::string*(std::string_view name)>;

class MessageTemplate {
 public:
  // Parses text; on a malformed placeholder returns BadInput naming it and its byte
  // position and leaves *this unchanged.
  Status Parse(std::string_view text);

  bool IsTemplate() const { return m_usesClock || !m_variables.empty(); }
  // The names of the variables the text uses, each once, in order of first use.
  const std::vector<std::string>& Variables() const { return m_variables; }
  bool UsesVariable(std::string_view name) const;
  bool UsesClock() const { return m_usesClock; }

  // The text with every placeholder replaced, for the local time of now. Fails with
  // BadInput when a variable has no value and no default, when a value does not fit
  // its conversion, or when a value would carry a code (see CheckVariableValue).
  Status Fill(const VariableLookup& lookup, std::time_t now, std::string& out) const;

  // The first moment after now at which a clock placeholder may show something else
  // (the next second, minute, hour or local midnight, by the finest field used); 0 when
  // the text uses no clock.
  std::time_t NextTick(std::time_t now) const;

 private:
  std::vector<TemplatePiece> m_pieces;
  std::vector<std::string> m_variables;
  bool m_usesClock = false;
  int m_tickSeconds = 0;  // 1, 60, 3600 or 86400 (local midnight)
};

// A variable's value must stay text on the sign: no caret (it would start a code), no
// control byte, at most kMaxVariableValue bytes.
inline constexpr size_t kMaxVariableValue = 200;
Status CheckVariableValue(std::string_view value);
// A variable's name: 1 to 64 letters, digits, '_', '-' or '.'.
bool IsVariableName(std::string_view name);
