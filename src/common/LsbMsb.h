#pragma once

#include <cstdint>

// A 16-bit value held as its low and high byte, in the byte order the data files use.
struct CLsbMsb {
  uint8_t lsb = 0;
  uint8_t msb = 0;

  CLsbMsb() = default;
  explicit CLsbMsb(int value) { Set(value); }
  CLsbMsb(uint8_t low, uint8_t high) : lsb(low), msb(high) {}

  // Keeps the low 16 bits of value.
  void Set(int value) {
    lsb = static_cast<uint8_t>(value & 0xFF);
    msb = static_cast<uint8_t>((value >> 8) & 0xFF);
  }
  int Get() const { return lsb + 256 * msb; }
};
