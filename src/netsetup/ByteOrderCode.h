#pragma once

// The byte order code (0..3) that a network card receives with its W command joins
// the two byte order choices of the parameter panes:
//   bit 0: message byte order, 0 = "Char 1, Char 2", 1 = "Char 2, Char 1"
//   bit 1: count and status byte order, 0 = "High, Low ", 1 = "Low, High"

enum class MessageByteOrder { Char1Char2 = 0, Char2Char1 = 1 };
enum class CountByteOrder { HighLow = 0, LowHigh = 1 };

constexpr int MakeByteOrderCode(MessageByteOrder message, CountByteOrder count) {
  return static_cast<int>(message) | (static_cast<int>(count) << 1);
}

// Only the two low bits of code count.
constexpr MessageByteOrder GetMessageByteOrder(int code) {
  return static_cast<MessageByteOrder>(code & 1);
}
constexpr CountByteOrder GetCountByteOrder(int code) {
  return static_cast<CountByteOrder>((code >> 1) & 1);
}
