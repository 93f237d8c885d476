#include "common/ByteReader.h"

bool ByteReader::ReadU8(uint8_t& value) {
  if (remaining() < 1) return false;
  value = static_cast<uint8_t>(m_bytes[m_pos++]);
  return true;
}

bool ByteReader::ReadBE16(uint16_t& value) {
  std::string_view b;
  if (!ReadBytes(2, b)) return false;
  value = static_cast<uint16_t>((static_cast<uint8_t>(b[0]) << 8) | static_cast<uint8_t>(b[1]));
  return true;
}

bool ByteReader::ReadLE16(uint16_t& value) {
  std::string_view b;
  if (!ReadBytes(2, b)) return false;
  value = static_cast<uint16_t>(static_cast<uint8_t>(b[0]) | (static_cast<uint8_t>(b[1]) << 8));
  return true;
}

bool ByteReader::ReadBE32(uint32_t& value) {
  std::string_view b;
  if (!ReadBytes(4, b)) return false;
  value = 0;
  for (char c : b) value = (value << 8) | static_cast<uint8_t>(c);
  return true;
}

bool ByteReader::ReadBytes(size_t count, std::string_view& bytes) {
  if (remaining() < count) return false;
  bytes = m_bytes.substr(m_pos, count);
  m_pos += count;
  return true;
}

bool ByteReader::Skip(size_t count) {
  if (remaining() < count) return false;
  m_pos += count;
  return true;
}
