#pragma once

#include <array>
#include <string>

#include "message/CMsgObjDBList.h"

// The columns of the message database page: one row per stored message, its text first.
struct MessageColumn {
  const char* heading;
  int width;  // pixels of the classic 8-point dialog font; the page scales them to its own
};

inline constexpr std::array<MessageColumn, 10> kMessageColumns = {{
    {"Msg Text", 300},
    {"Address", 90},
    {"Group #", 55},
    {"Unit #", 50},
    {"Position", 60},
    {"Line #", 50},
    {"Column #", 55},
    {"Display Mode", 100},
    {"MSG Effects", 100},
    {"Save/Clear Flash", 60},
}};

// The text of one cell of a record's row: column 0 the summary text, then the address mode's
// name, the group, unit, the position's name, line and column (numbers in decimal), the names
// of the reset mode, the effect and the flash mode. Empty for a column outside 0 to 9.
std::string GetMessageCellText(const CMsgObjDBList& record, int column);
