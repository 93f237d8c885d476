#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "message/CharProp.h"

// The machine names of the message attribute values, one table for every outside
// interface (command-line options, the JSON form of a message, the gateway). A name's
// position in its list is its value (MsgAttributes.h). The composer's own texts, such
// as "BroadCast", stay in MsgAttributes.h.

enum class Attribute { Address, Position, Effect, Reset, Flash };

// "address", "position", "effect", "reset" or "flash".
std::string_view AttributeName(Attribute attribute);

// The names of the attribute's values, in value order.
std::span<const std::string_view> AttributeValueNames(Attribute attribute);

// The value of a name (exact, lower case); nothing for an unknown name.
std::optional<int> AttributeValueOfName(Attribute attribute, std::string_view name);

// The name of a value; empty for a value outside the enumeration.
std::string_view AttributeValueName(Attribute attribute, int value);

// "broadcast 0, group 1, unit 2, default 3": the values for help texts and errors.
std::string AttributeValueList(Attribute attribute);

// The LED colours by name: "red", "green", "yellow".
std::optional<COLORREF> ColorOfName(std::string_view name);
// The name of one of the three colours; empty for any other value.
std::string_view ColorName(COLORREF color);
