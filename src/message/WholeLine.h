#pragma once

#include <algorithm>
#include <string>
#include <string_view>

#include "common/Text.h"
#include "message/CommandCodes.h"

// A stored line being read as a whole string: every operation searches or edits all of
// it, exactly as the reading's steps say, so a removal can join characters into a new
// code that a later step then finds.
class WholeLine {
 public:
  explicit WholeLine(std::string_view line) : m_line(line) {}

  bool Has(const LineCode& code) const { return m_line.find(code.text) != std::string::npos; }
  bool BeginsWith(const LineCode& code) const { return m_line.starts_with(code.text); }

  // Removes every occurrence in one left-to-right pass, as a single replace-all would:
  // an occurrence formed by joining the pieces around a removed one stays.
  void RemoveAll(const LineCode& code) {
    std::string_view text = code.text;
    size_t found = m_line.find(text);
    if (found == std::string::npos) return;
    size_t write = found;
    size_t read = found + text.size();
    for (;;) {
      found = m_line.find(text, read);
      size_t end = found == std::string::npos ? m_line.size() : found;
      std::char_traits<char>::move(m_line.data() + write, m_line.data() + read, end - read);
      write += end - read;
      if (found == std::string::npos) break;
      read = found + text.size();
    }
    m_line.resize(write);
  }

  void DropEndMark() {
    if (m_line.ends_with(kEndMark)) m_line.resize(m_line.size() - kEndMark.size());
  }

  // Takes the first two characters as a number by atoi rules (no digits gives 0).
  bool TakeTwoDigitNumber(int& value) {
    size_t count = std::min<size_t>(2, m_line.size());
    value = LeadingInt(std::string_view(m_line).substr(0, count));
    m_line.erase(0, count);
    return true;
  }

  std::string Text() && { return std::move(m_line); }

 private:
  std::string m_line;
};
