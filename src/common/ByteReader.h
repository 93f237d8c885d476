#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Bounds-checked cursor over a byte buffer for the file readers. Every read either
// succeeds completely or fails without moving the cursor; nothing reads past the end.
// The buffer is not owned and must outlive the reader.
class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : m_bytes(bytes) {}

  bool ReadU8(uint8_t& value);
  bool ReadBE16(uint16_t& value);
  bool ReadBE32(uint32_t& value);
  bool ReadLE16(uint16_t& value);
  // Takes count raw bytes as a view into the buffer.
  bool ReadBytes(size_t count, std::string_view& bytes);
  bool Skip(size_t count);

  size_t position() const { return m_pos; }
  size_t remaining() const { return m_bytes.size() - m_pos; }
  bool atEnd() const { return m_pos == m_bytes.size(); }
  // The unread rest, for parsers that scan ahead (the caller then Skips what it used).
  std::string_view rest() const { return m_bytes.substr(m_pos); }

 private:
  std::string_view m_bytes;
  size_t m_pos = 0;
};
