#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "message/CommandCodes.h"

// A stored line being read as the header and tail codes found in it, in order, with
// what the reading has removed or taken. It answers as the whole-string reading would,
// but finds the codes in one pass. That is exact when every caret opens either a
// header or tail code or an inline pair (a caret and a character that opens no such
// code): removing whole codes then never joins characters into a new code, because no
// code ends in a caret and none is the start of another. Find refuses other lines.
// The line is not owned and must outlive the reader.
class CodedLine {
 public:
  explicit CodedLine(std::string_view line) : m_line(line), m_end(line.size()) {}

  // False when the line cannot be read this way (or holds unusually many codes).
  bool Find();

  bool Has(const LineCode& code) const;
  bool BeginsWith(const LineCode& code);
  void RemoveAll(const LineCode& code);
  // False when a caret is among the two characters: taking it would break its code.
  bool TakeTwoDigitNumber(int& value);
  void DropEndMark();
  std::string Text() const;

 private:
  static constexpr size_t kMaxCodes = 32;

  // Notes the code that the caret at at opens, or the inline pair; false when it opens
  // neither. free is where the next code may start.
  bool TakeCaret(size_t at, size_t& free);
  bool Removed(size_t code) const { return (m_removed >> code) & 1u; }
  size_t End(size_t code) const;
  void SkipRemovedAtFront();

  std::string_view m_line;
  std::array<size_t, kMaxCodes> m_start;       // where each code found starts, in order
  std::array<LineCodeKind, kMaxCodes> m_kind;  // the kind of each code found
  size_t m_count = 0;
  std::array<uint32_t, kLineCodeKinds> m_codesOfKind{};  // bit i: code i is of that kind
  uint32_t m_removed = 0;                                // bit i: code i has been removed
  size_t m_front = 0;                                    // everything before it has been taken or removed
  size_t m_next = 0;                                     // the first code at or after m_front
  size_t m_end;                                          // everything from it on has been dropped
};
