#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Status.h"

// The program's single-byte text is Windows-1252, the ANSI code page of the Western
// Windows machines its files and command strings come from. Bytes 0x00-0x7F are ASCII,
// 0xA0-0xFF are U+00A0-U+00FF, and 0x80-0x9F hold the euro sign, curly quotes, dashes,
// "‰", "Š", "Œ", "Ž", "™" and the like. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the C1 controls of the same value, as Windows'
// own conversion maps them, so every byte has a character and every byte round-trips.
// This is the one converter between Unicode and the program's bytes.

// The character a byte stands for; every byte has one.
char32_t CodePointOfByte(unsigned char byte);
// The byte of a character, or nothing when the code page has no byte for it.
std::optional<unsigned char> ByteOfCodePoint(char32_t codePoint);

// What becomes of a character that has no byte: an error, or a "?" the caller asked for.
enum class Unmappable { Refuse, Replace };

struct UnmappableChar {
  char32_t codePoint = 0;
  // 1-based, counted in characters (code points): within the text, or within its line
  // when line is set (texts that are split into lines, like the message editor's).
  size_t position = 0;
  size_t line = 0;  // 1-based; 0 for a text without lines
  bool operator==(const UnmappableChar&) const = default;
};

struct CodePageText {
  // The text in code-page bytes. Empty when the input is malformed or, with Refuse, when
  // a character has no byte; with Replace each such character is a "?".
  std::string bytes;
  std::vector<UnmappableChar> unmappable;  // every character without a byte, in order
  // BadInput for malformed input (message: what and at which byte) and, with Refuse,
  // for characters without a byte ("no Windows-1252 byte for " + DescribeUnmappable).
  Status status;
};

// Strict UTF-8 to bytes. Malformed input is an error, never guessed at: stray or missing
// continuation bytes, a sequence cut off by the end, overlong forms (so no hidden NUL
// like C0 80), surrogates, values above U+10FFFF. A NUL character is refused too, so no
// text reaching a command string or a file field can carry a 0 byte.
CodePageText Utf8ToCodePage(std::string_view utf8, Unmappable mode = Unmappable::Refuse);
// The same for text already split into code points (a toolkit's string); values that are
// no character (surrogates, above U+10FFFF) count as characters without a byte.
CodePageText CodePointsToCodePage(std::u32string_view text, Unmappable mode = Unmappable::Refuse);

// Bytes to UTF-8; never fails.
std::string CodePageToUtf8(std::string_view bytes);

// A character for a message: the character in double quotes and its code, e.g.
// "Ω" (U+03A9); controls and other invisible characters as their code only.
std::string DescribeCodePoint(char32_t codePoint);
// The first few characters with where they stand, e.g.
// "Ω" (U+03A9) at position 6, "П" (U+041F) at position 9 and 3 more
// or, for characters with a line, "Ω" (U+03A9) at line 2, column 6.
std::string DescribeUnmappable(const std::vector<UnmappableChar>& characters);
