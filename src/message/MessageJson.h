#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "common/Status.h"
#include "message/CommandMessage.h"

// The JSON form of a message, the same for `marquee decode --json`, `marquee encode
// --from-json` and the gateway: one object with the keys
//   "address"  "broadcast" | "group" | "unit" | "default"          (default "broadcast")
//   "group"    0 to 99,  "unit" 0 to 9999                          (default 0)
//   "reset"    "nothing" | "clear-home" | "clear-home-reset" | "clear-keep-cursor" | "clear-line"
//   "position" "center" | "default" | "starting-at"                (default "center")
//   "line", "column"  0 to 99                                      (default 1)
//   "clear_line", "blink_off_at_end"  true | false                 (default false)
//   "effect"   "default" | "blink" | "blink-off" | "scroll-repeatedly" | "scroll-once"
//   "flash"    "nothing" | "clear" | "save"
// and the text either as "text" (a string with inline codes, exactly as in the command
// string) or as "lines": an array of lines, each an array of runs
//   {"text": "HELLO", "size": 1, "color": "red", "blink": false}
// (size 1 to 4, default 1; colour "red", "green" or "yellow", default red; blink default
// false; "text" required). Neither gives an empty text. Attribute values are the names of
// message/AttributeNames.h. JSON strings are UTF-8; the message's text is Windows-1252,
// so a character without a byte there is an error.
//
// Errors, never exceptions: text that is not JSON, a duplicate key, nesting deeper than a
// message needs, a root that is not an object, an unknown key, a value of the wrong type
// or out of range, "text" together with "lines", a group or unit other than 0 with the
// "broadcast" or "default" address (neither sends them), a unit other than 0 with the
// "group" address. The Status is BadInput and its
// message names the key and what was wrong, e.g. `"group": must be a whole number from 0
// to 99, got 120`.

struct MessageJsonResult {
  Status status;
  CommandMessage message;  // the defaults when status is not ok
};

[[nodiscard]] MessageJsonResult ParseMessageJson(std::string_view json);

// The same checks on an object the caller has parsed (for a message inside a larger
// document). Duplicate keys are the caller's to refuse: a parsed value has lost them.
[[nodiscard]] MessageJsonResult MessageFromJson(const nlohmann::json& object);

// How MessageToJson gives the text: "text" is exact; "lines" is for reading and editing
// and holds what the editor would load (a final "^N" and escape bytes are lost, typed
// codes are characters).
enum class JsonTextForm { Text, Lines };

// Every key, attribute values by name; group and unit as given. A value outside an
// enumeration (never produced by the composer) is written as its number.
nlohmann::json MessageToJsonValue(const CommandMessage& message, JsonTextForm form = JsonTextForm::Text);
// The same as one line of JSON text.
std::string MessageToJson(const CommandMessage& message, JsonTextForm form = JsonTextForm::Text);

// Parses a JSON document without exceptions, refusing duplicate keys (at any depth) and
// nesting deeper than maxDepth arrays and objects. On error the value is null.
struct JsonDocument {
  Status status;
  nlohmann::json value;
};
[[nodiscard]] JsonDocument ParseJsonStrictly(std::string_view text, int maxDepth);
