#include "message/StoredLine.h"

namespace {

constexpr char kEscape = '\x1B';

bool NeedsFraming(char c) {
  return c == '\0' || c == kEscape;
}

}  // namespace

size_t FramedLineSize(std::string_view line) {
  size_t size = line.size() + 1;
  for (char c : line)
    if (NeedsFraming(c)) size += 2;
  return size;
}

void AppendFramedLine(std::string& out, std::string_view line) {
  for (char c : line) {
    if (NeedsFraming(c)) {
      out += kEscape;
      out += '\x02';
    }
    out += c;
  }
  out += '\0';
}

bool ReadFramedLine(ByteReader& reader, std::string& line) {
  line.clear();
  for (;;) {
    std::string_view rest = reader.rest();
    size_t plain = 0;
    while (plain < rest.size() && !NeedsFraming(rest[plain])) ++plain;
    line.append(rest.substr(0, plain));
    reader.Skip(plain);
    uint8_t marker = 0;
    if (!reader.ReadU8(marker)) return false;
    if (marker == 0) return true;
    uint8_t length = 0;
    std::string_view framed;
    if (!reader.ReadU8(length) || !reader.ReadBytes(length > 1 ? length - 1u : 0u, framed)) return false;
    line.append(framed);
  }
}
