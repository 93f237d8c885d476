#include <gtest/gtest.h>

#include "common/CodePage.h"

TEST(CodePage, EveryByteRoundTrips) {
  for (unsigned value = 0; value < 256; ++value) {
    const auto byte = static_cast<unsigned char>(value);
    const std::string one(1, static_cast<char>(byte));
    EXPECT_EQ(ByteOfCodePoint(CodePointOfByte(byte)), byte) << value;
    const CodePageText back = Utf8ToCodePage(CodePageToUtf8(one));
    if (value == 0) {
      EXPECT_FALSE(back.status.ok());  // the NUL character is refused on purpose
    } else {
      EXPECT_EQ(back.bytes, one) << value;
    }
  }
}

TEST(CodePage, CharactersOfTheHighRowBothWays) {
  const struct {
    unsigned char byte;
    const char* utf8;
  } kCases[] = {
      {0x80, "\u20AC"}, {0x91, "\u2018"}, {0x92, "\u2019"}, {0x93, "\u201C"}, {0x94, "\u201D"}, {0x96, "\u2013"},
      {0x85, "\u2026"}, {0x89, "\u2030"}, {0x8A, "\u0160"}, {0x8C, "\u0152"}, {0x8E, "\u017D"}, {0x99, "\u2122"},
      {0x9F, "\u0178"}, {0x81, "\u0081"}, {0x9D, "\u009D"}, {0xA0, "\u00A0"}, {0xE9, "\u00E9"}, {0xFF, "\u00FF"},
  };
  for (const auto& c : kCases) {
    const std::string byte(1, static_cast<char>(c.byte));
    EXPECT_EQ(CodePageToUtf8(byte), c.utf8) << int{c.byte};
    EXPECT_EQ(Utf8ToCodePage(c.utf8).bytes, byte) << int{c.byte};
  }
  // C1 controls whose byte the code page gives to a printable character have no byte.
  EXPECT_EQ(ByteOfCodePoint(0x80), std::nullopt);
  EXPECT_EQ(ByteOfCodePoint(0x9F), std::nullopt);
}

TEST(CodePage, MalformedUtf8IsAnErrorNamingTheByte) {
  const struct {
    const char* input;
    const char* message;
  } kCases[] = {
      {"ab\x80", "invalid UTF-8 at byte 3 (0x80): stray continuation byte"},
      {"\xC0\x80", "invalid UTF-8 at byte 1 (0xC0): overlong form"},  // a hidden NUL
      {"\xE0\x80\xAF", "invalid UTF-8 at byte 1 (0xE0): overlong form"},
      {"\xF0\x8F\xBF\xBF", "invalid UTF-8 at byte 1 (0xF0): overlong form"},
      {"\xED\xA0\x80", "invalid UTF-8 at byte 1 (0xED): surrogate"},
      {"\xF4\x90\x80\x80", "invalid UTF-8 at byte 1 (0xF4): value above U+10FFFF"},
      {"\xF5\x80\x80\x80", "invalid UTF-8 at byte 1 (0xF5): byte that cannot start a character"},
      {"x\xE2\x82", "invalid UTF-8 at byte 2 (0xE2): sequence cut off by the end of the text"},
      {"\xE2\x82x", "invalid UTF-8 at byte 1 (0xE2): missing continuation byte"},
      {"\xC3(", "invalid UTF-8 at byte 1 (0xC3): missing continuation byte"},
  };
  for (const auto& c : kCases) {
    const CodePageText result = Utf8ToCodePage(c.input, Unmappable::Replace);
    EXPECT_EQ(result.status.errorClass(), ErrorClass::BadInput) << c.input;
    EXPECT_EQ(result.status.message(), c.message);
    EXPECT_EQ(result.bytes, "");
  }
  EXPECT_EQ(Utf8ToCodePage(std::string_view("a\0b", 3)).status.message(), "NUL character at position 2");
  // The longest valid forms at each length's edges are accepted.
  EXPECT_TRUE(Utf8ToCodePage("\xC2\x80\xF4\x8F\xBF\xBF\xEF\xBF\xBF", Unmappable::Replace).status.ok());
}

TEST(CodePage, CharacterWithoutByteIsRefusedOrReplacedOnRequest) {
  const char* text = "Price 5\u20AC \u041F\u0440\u0438";  // euro has a byte, Cyrillic not
  const CodePageText refused = Utf8ToCodePage(text);
  EXPECT_EQ(refused.bytes, "");
  EXPECT_EQ(refused.status.message(),
            "no Windows-1252 byte for \"\u041F\" (U+041F) at position 10, \"\u0440\" (U+0440) at position 11, "
            "\"\u0438\" (U+0438) at position 12");
  const CodePageText replaced = Utf8ToCodePage(text, Unmappable::Replace);
  EXPECT_TRUE(replaced.status.ok());
  EXPECT_EQ(replaced.bytes, "Price 5\x80 ???");
  EXPECT_EQ(replaced.unmappable.size(), 3u);

  // Invisible characters are named by their code; long lists are cut short.
  EXPECT_EQ(CodePointsToCodePage(U"a\u200Bb").status.message(), "no Windows-1252 byte for U+200B at position 2");
  EXPECT_TRUE(CodePointsToCodePage(std::u32string(10, U'\u03A9'))
                  .status.message()
                  .ends_with("\"\u03A9\" (U+03A9) at position 8 and 2 more"));
  EXPECT_EQ(CodePointsToCodePage(U"\xD800x", Unmappable::Replace).bytes, "?x");
}
