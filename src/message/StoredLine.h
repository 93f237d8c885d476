#pragma once

#include <string>
#include <string_view>

#include "common/ByteReader.h"

// How a stored line sits in a record block of the message database file: its bytes,
// then one zero byte. Inside the line an escape byte 0x1B is followed by a length byte
// n and n - 1 bytes that belong to the line verbatim (zero bytes included); the escape
// and length bytes themselves only frame them (n of 0 or 1 frames nothing). The writer
// frames each zero and escape byte of a line this way (0x1B 0x02 byte), so every line,
// whatever bytes it holds, reads back exactly as it was. Bytes above 127 have no
// special meaning and are stored as they are.

// Appends the framed line and its terminating zero.
void AppendFramedLine(std::string& out, std::string_view line);

// Reads one framed line up to and including its terminating zero. line views the input
// when the line holds no escape sequence, else storage, which then holds the line.
// False when the input ends first (the reader may then have moved; the caller gives up
// on the input).
bool ReadFramedLine(ByteReader& reader, std::string& storage, std::string_view& line);
