#include <gtest/gtest.h>

#include "message/InlineCodes.h"

namespace {

CHAR_PROP Char(char c, int size = 1, COLORREF color = kColorRed, int blink = 0) {
  return {size, static_cast<unsigned char>(c), color, blink};
}

LINE1_PROP Line(std::string_view text, int size = 1, COLORREF color = kColorRed, int blink = 0) {
  LINE1_PROP line;
  for (char c : text) line.push_back(Char(c, size, color, blink));
  return line;
}

TEST(EncodeInlineText, Rules) {
  struct Case {
    const char* what;
    std::vector<LINE1_PROP> lines;
    std::string expected;
  };
  const COLORREF kBlue = 0xFF0000;
  const Case cases[] = {
      {"no lines", {}, ""},
      {"one empty line", {{}}, ""},
      {"size and colour open the text", {Line("HELLO")}, "^K0^dC1HELLO"},
      {"two lines, second bigger, green, blinking",
       {Line("AB"), Line("CD", 2, kColorGreen, 1)},
       "^K0^dC1AB^N^K1^dC2^X1CD"},
      {"blinking carries over; its end follows the line's size and colour codes",
       {{Char('A'), Char('B', 1, kColorRed, 1)}, Line("C")},
       "^K0^dC1A^X1B^N^K0^dC1^X0C"},
      {"changes inside a line",
       {{Char('a'), Char('b', 4), Char('c', 4, kColorYellow), Char('d', 5, kColorYellow)}},
       "^K0^dC1a^K3b^dC3c^K4d"},
      {"a colour that is none of the three is written red, and so is the next real red",
       {{Char('x', 1, kBlue), Char('y'), Char('z')}},
       "^K0^dC1x^dC1yz"},
      {"an empty last line ends the text with ^N", {Line("A"), {}}, "^K0^dC1A^N"},
      {"an empty middle line adds only its ^N", {Line("A"), {}, Line("B")}, "^K0^dC1A^N^N^K0^dC1B"},
      {"bytes above 127 stay single bytes", {Line("\xB6\xE9")}, "^K0^dC1\xB6\xE9"},
  };
  for (const Case& c : cases) EXPECT_EQ(EncodeInlineText(c.lines), c.expected) << c.what;
}

TEST(EncodeInlineText, CharacterKeepsOnlyItsLowByte) {
  CHAR_PROP sign = Char('A');
  sign.character = -74;  // a signed char 0xB6 widened
  EXPECT_EQ(EncodeInlineText({{sign}}), "^K0^dC1\xB6");
}

TEST(DecodeInlineText, Rules) {
  struct Case {
    const char* text;
    std::vector<LINE1_PROP> expected;
  };
  const Case cases[] = {
      {"", {{}}},
      {"^K0^dC1AB^N^K1^dC2^X1CD", {Line("AB"), Line("CD", 2, kColorGreen, 1)}},
      {"^dC3Y^dC2G^dC1R", {{Char('Y', 1, kColorYellow), Char('G', 1, kColorGreen), Char('R')}}},
      {"^dC4", {Line("^dC4")}},
      {"^K3A^K4", {{Char('A', 4), Char('^', 4), Char('K', 4), Char('4', 4)}}},
      {"^X1A^XzB", {{Char('A', 1, kColorRed, 1), Char('B')}}},
      {"A^X", {Line("A^X")}},
      {"A^N", {Line("A")}},
      {"A^N^N", {Line("A"), {}}},
      {"^N", {{}}},
      {"A^NB", {Line("A"), Line("B")}},
      {"\x1B"
       "A\x1B",
       {Line("A")}},
      {"^X^NA", {Line("NA")}},
      {"\xB6", {{Char('\xB6')}}},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeInlineLines(c.text), c.expected) << c.text;
}

TEST(DecodeInlineText, PiecesMarkLineBreaks) {
  std::vector<InlinePiece> pieces = DecodeInlineText("^K1A^NB^N");
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_EQ(pieces[0].character, Char('A', 2));
  EXPECT_TRUE(pieces[1].isLineBreak);
  EXPECT_EQ(pieces[2].character, Char('B', 2));
}

TEST(DecodeInlineText, ZeroBytesAreCharacters) {
  std::vector<LINE1_PROP> lines = DecodeInlineLines(std::string_view("A\0B", 3));
  EXPECT_EQ(lines, (std::vector<LINE1_PROP>{{Char('A'), Char('\0'), Char('B')}}));
}

TEST(SummaryOfInlineText, PlainCharactersWithPilcrowBreaks) {
  EXPECT_EQ(SummaryOfInlineText("^K0^dC1AB^N^K1^dC2^X1CD"),
            "AB\xB6"
            "CD");
  EXPECT_EQ(SummaryOfInlineText("^K0^dC1AB^N"), "AB");
  EXPECT_EQ(SummaryOfInlineText("^N^N"), "\xB6");
  EXPECT_EQ(SummaryOfInlineText("^K4"), "^K4");
}

}  // namespace
