#include "message/StoredLine.h"

#include <algorithm>

namespace {

constexpr char kEscape = '\x1B';

// Position of the first zero or escape byte at or after from; the size when none. The
// escape search stops at the zero, so reading a line never scans the rest of the file.
size_t NextFramedByte(std::string_view bytes, size_t from) {
  size_t zero = std::min(bytes.find('\0', from), bytes.size());
  return std::min(bytes.substr(0, zero).find(kEscape, from), zero);
}

}  // namespace

void AppendFramedLine(std::string& out, std::string_view line) {
  for (size_t from = 0;;) {
    size_t special = NextFramedByte(line, from);
    out.append(line.substr(from, special - from));
    if (special == line.size()) break;
    out += kEscape;
    out += '\x02';
    out += line[special];
    from = special + 1;
  }
  out += '\0';
}

bool ReadFramedLine(ByteReader& reader, std::string& storage, std::string_view& line) {
  std::string_view rest = reader.rest();
  size_t plain = NextFramedByte(rest, 0);
  if (plain < rest.size() && rest[plain] == '\0') {
    line = rest.substr(0, plain);
    return reader.Skip(plain + 1);
  }
  storage.clear();
  for (;;) {
    rest = reader.rest();
    plain = NextFramedByte(rest, 0);
    storage.append(rest.substr(0, plain));
    reader.Skip(plain);
    uint8_t marker = 0;
    if (!reader.ReadU8(marker)) return false;
    if (marker == 0) break;
    uint8_t length = 0;
    std::string_view framed;
    if (!reader.ReadU8(length) || !reader.ReadBytes(length > 1 ? length - 1u : 0u, framed)) return false;
    storage.append(framed);
  }
  line = storage;
  return true;
}
