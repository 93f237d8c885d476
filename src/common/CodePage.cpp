#include "common/CodePage.h"

#include <array>

#include "common/Text.h"

namespace {

// Bytes 0x80-0x9F; the rest of the code page is ASCII below and Latin-1 above.
constexpr std::array<char16_t, 32> kHighControls = {
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',  // 0x80
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',  // 0x88
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',  // 0x90
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',  // 0x98
};

constexpr char32_t kMaxCodePoint = 0x10FFFF;

bool IsSurrogate(char32_t c) {
  return c >= 0xD800 && c <= 0xDFFF;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Characters a reader would not see in quotes: controls, format marks, non-characters.
bool IsInvisible(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0xA0) || c == 0xAD || (c >= 0x200B && c <= 0x200F) ||
         (c >= 0x2028 && c <= 0x202E) || (c >= 0x2060 && c <= 0x2064) || c == 0xFEFF || IsSurrogate(c) ||
         c > kMaxCodePoint;
}

// Collects the bytes of one text, character by character.
class CodePageBuilder {
 public:
  explicit CodePageBuilder(Unmappable mode) : m_mode(mode) {}

  // False (and the result holds the error) when the character is a NUL.
  bool Add(char32_t c) {
    ++m_position;
    if (c == 0) {
      Fail(Format("NUL character at position %zu", m_position));
      return false;
    }
    if (std::optional<unsigned char> byte = ByteOfCodePoint(c)) {
      m_result.bytes += static_cast<char>(*byte);
    } else {
      m_result.unmappable.push_back({c, m_position});
      m_result.bytes += '?';
    }
    return true;
  }

  void Fail(const std::string& message) {
    m_result.bytes.clear();
    m_result.status = Status::BadInput(message);
  }

  CodePageText Finish() {
    if (m_result.status.ok() && !m_result.unmappable.empty() && m_mode == Unmappable::Refuse) {
      m_result.bytes.clear();
      m_result.status = Status::BadInput("no Windows-1252 byte for " + DescribeUnmappable(m_result.unmappable));
    }
    return std::move(m_result);
  }

 private:
  Unmappable m_mode;
  size_t m_position = 0;
  CodePageText m_result;
};

// The length of the sequence a lead byte starts and the range its second byte must lie
// in (narrower than 0x80-0xBF where the plain range would allow an overlong form, a
// surrogate or a value above U+10FFFF); length 0 for a byte that starts nothing.
struct LeadByte {
  size_t length = 0;
  unsigned char secondMin = 0x80;
  unsigned char secondMax = 0xBF;
};

LeadByte ClassifyLead(unsigned char lead) {
  if (lead < 0x80) return {1};
  if (lead >= 0xC2 && lead <= 0xDF) return {2};
  if (lead == 0xE0) return {3, 0xA0, 0xBF};
  if (lead == 0xED) return {3, 0x80, 0x9F};
  if (lead >= 0xE1 && lead <= 0xEF) return {3};
  if (lead == 0xF0) return {4, 0x90, 0xBF};
  if (lead >= 0xF1 && lead <= 0xF3) return {4};
  if (lead == 0xF4) return {4, 0x80, 0x8F};
  return {};
}

// Why a lead byte that starts nothing, or a second byte outside its range, is wrong.
std::string LeadError(unsigned char lead) {
  if (lead >= 0x80 && lead <= 0xBF) return "stray continuation byte";
  if (lead == 0xC0 || lead == 0xC1) return "overlong form";
  return "byte that cannot start a character";
}

std::string SecondByteError(unsigned char lead) {
  if (lead == 0xE0 || lead == 0xF0) return "overlong form";
  if (lead == 0xED) return "surrogate";
  if (lead == 0xF4) return "value above U+10FFFF";
  return "missing continuation byte";
}

}  // namespace

char32_t CodePointOfByte(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80u];
  return byte;
}

std::optional<unsigned char> ByteOfCodePoint(char32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) return static_cast<unsigned char>(codePoint);
  for (size_t i = 0; i < kHighControls.size(); ++i)
    if (kHighControls[i] == codePoint) return static_cast<unsigned char>(0x80 + i);
  return std::nullopt;
}

CodePageText Utf8ToCodePage(std::string_view utf8, Unmappable mode) {
  CodePageBuilder builder(mode);
  for (size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const LeadByte kind = ClassifyLead(lead);
    auto fail = [&](const std::string& why) {
      builder.Fail(Format("invalid UTF-8 at byte %zu (0x%02X): %s", i + 1, static_cast<unsigned>(lead), why.c_str()));
    };
    if (kind.length == 0) {
      fail(LeadError(lead));
      return builder.Finish();
    }
    char32_t c = kind.length == 1 ? lead : lead & (0x7Fu >> kind.length);
    for (size_t k = 1; k < kind.length; ++k) {
      if (i + k == utf8.size()) {
        fail("sequence cut off by the end of the text");
        return builder.Finish();
      }
      const auto next = static_cast<unsigned char>(utf8[i + k]);
      const unsigned char low = k == 1 ? kind.secondMin : 0x80;
      const unsigned char high = k == 1 ? kind.secondMax : 0xBF;
      if (next < low || next > high) {
        fail(next >= 0x80 && next <= 0xBF ? SecondByteError(lead) : "missing continuation byte");
        return builder.Finish();
      }
      c = (c << 6) | (next & 0x3Fu);
    }
    if (!builder.Add(c)) return builder.Finish();
    i += kind.length;
  }
  return builder.Finish();
}

CodePageText CodePointsToCodePage(std::u32string_view text, Unmappable mode) {
  CodePageBuilder builder(mode);
  for (char32_t c : text)
    if (!builder.Add(c)) break;
  return builder.Finish();
}

std::string CodePageToUtf8(std::string_view bytes) {
  std::string result;
  result.reserve(bytes.size());
  for (char byte : bytes) AppendUtf8(result, CodePointOfByte(static_cast<unsigned char>(byte)));
  return result;
}

std::string DescribeCodePoint(char32_t codePoint) {
  std::string code = Format("U+%04X", static_cast<unsigned>(codePoint));
  if (IsInvisible(codePoint)) return code;
  std::string shown = "\"";
  AppendUtf8(shown, codePoint);
  return shown + "\" (" + code + ")";
}

std::string DescribeUnmappable(const std::vector<UnmappableChar>& characters) {
  // A pasted page could hold thousands; the first few tell the operator what to fix.
  constexpr size_t kNamed = 8;
  std::string text;
  for (size_t i = 0; i < characters.size() && i < kNamed; ++i) {
    const UnmappableChar& c = characters[i];
    if (i > 0) text += ", ";
    text += DescribeCodePoint(c.codePoint);
    text +=
        c.line == 0 ? Format(" at position %zu", c.position) : Format(" at line %zu, column %zu", c.line, c.position);
  }
  if (characters.size() > kNamed) text += Format(" and %zu more", characters.size() - kNamed);
  return text;
}
