#include "message/MessageJson.h"

#include <array>
#include <functional>
#include <limits>
#include <set>
#include <vector>

#include "common/CodePage.h"
#include "common/Text.h"
#include "message/AttributeNames.h"
#include "message/InlineCodes.h"

using nlohmann::json;

namespace {

// A message is an object of arrays of arrays of objects: four levels.
constexpr int kMessageDepth = 4;

// A SAX pass that only looks: it stops at the first duplicate key or too deep a nesting,
// and turns the parser's errors into a message.
class StrictnessCheck : public nlohmann::json_sax<json> {
 public:
  explicit StrictnessCheck(int maxDepth) : m_maxDepth(maxDepth) {}

  const std::string& error() const { return m_error; }

  bool null() override { return true; }
  bool boolean(bool) override { return true; }
  bool number_integer(number_integer_t) override { return true; }
  bool number_unsigned(number_unsigned_t) override { return true; }
  bool number_float(number_float_t, const string_t&) override { return true; }
  bool string(string_t&) override { return true; }
  bool binary(binary_t&) override { return true; }
  bool start_object(std::size_t) override {
    m_keys.emplace_back();
    m_isObject.push_back(true);
    return Deeper();
  }
  bool key(string_t& key) override {
    if (m_keys.back().insert(key).second) return true;
    m_error = "duplicate key \"" + key + "\"";
    return false;
  }
  bool end_object() override {
    m_keys.pop_back();
    m_isObject.pop_back();
    return true;
  }
  bool start_array(std::size_t) override {
    m_isObject.push_back(false);
    return Deeper();
  }
  bool end_array() override {
    m_isObject.pop_back();
    return true;
  }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& ex) override {
    // "[json.exception.parse_error.101] parse error at line 1, column 2: ..." without its tag.
    std::string what = ex.what();
    size_t tagEnd = what.find("] ");
    m_error = "not valid JSON: " + (tagEnd == std::string::npos ? what : what.substr(tagEnd + 2));
    return false;
  }

 private:
  bool Deeper() {
    if (static_cast<int>(m_isObject.size()) <= m_maxDepth) return true;
    m_error = "nested deeper than " + std::to_string(m_maxDepth) + " levels";
    return false;
  }

  int m_maxDepth;
  std::vector<std::set<std::string>> m_keys;  // the keys seen in each open object
  std::vector<bool> m_isObject;               // the open arrays and objects
  std::string m_error;
};

std::string Quoted(std::string_view key) {
  return "\"" + std::string(key) + "\"";
}

// The value as JSON text for an error message, kept short.
std::string Shown(const json& value) {
  std::string text = value.dump(-1, ' ', false, json::error_handler_t::replace);
  return text.size() > 40 ? text.substr(0, 37) + "..." : text;
}

Status Wrong(std::string_view key, const std::string& what, const json& value) {
  return Status::BadInput(Quoted(key) + ": " + what + ", got " + Shown(value));
}

Status ReadInt(std::string_view key, const json& value, int low, int high, int& out) {
  std::string what = "must be a whole number from " + std::to_string(low) + " to " + std::to_string(high);
  if (!value.is_number_integer()) return Wrong(key, what, value);
  if (value.is_number_unsigned() ? value.get<uint64_t>() > static_cast<uint64_t>(high)
                                 : value.get<int64_t>() < low || value.get<int64_t>() > high)
    return Wrong(key, what, value);
  out = static_cast<int>(value.get<int64_t>());
  return {};
}

Status ReadBool(std::string_view key, const json& value, bool& out) {
  if (!value.is_boolean()) return Wrong(key, "must be true or false", value);
  out = value.get<bool>();
  return {};
}

Status ReadAttribute(Attribute attribute, const json& value, int& out) {
  std::string_view key = AttributeName(attribute);
  std::string what = "must be one of " + AttributeValueList(attribute);
  if (!value.is_string()) return Wrong(key, what, value);
  std::optional<int> named = AttributeValueOfName(attribute, value.get_ref<const std::string&>());
  if (!named) return Wrong(key, what, value);
  out = *named;
  return {};
}

Status ReadText(std::string_view key, const json& value, std::string& out) {
  if (!value.is_string()) return Wrong(key, "must be a string", value);
  CodePageText converted = Utf8ToCodePage(value.get_ref<const std::string&>());
  if (!converted.status.ok()) return Status::BadInput(Quoted(key) + ": " + converted.status.message());
  out = std::move(converted.bytes);
  return {};
}

Status ReadRun(const json& run, const std::string& where, LINE1_PROP& line) {
  if (!run.is_object()) return Wrong(where, "must be an object with \"text\", \"size\", \"color\", \"blink\"", run);
  CHAR_PROP attributes;
  std::string text;
  bool hasText = false;
  for (const auto& [key, value] : run.items()) {
    Status status;
    std::string name = where;
    name.append(".").append(key);
    if (key == "text") {
      hasText = true;
      status = ReadText(name, value, text);
    } else if (key == "size") {
      int size = 1;
      status = ReadInt(name, value, 1, 4, size);
      attributes.size = size;
    } else if (key == "color") {
      std::optional<COLORREF> color = value.is_string() ? ColorOfName(value.get<std::string>()) : std::nullopt;
      if (!color) status = Wrong(name, "must be \"red\", \"green\" or \"yellow\"", value);
      attributes.color = color.value_or(kColorRed);
    } else if (key == "blink") {
      bool blink = false;
      status = ReadBool(name, value, blink);
      attributes.blink = blink ? 1 : 0;
    } else {
      status = Status::BadInput(Quoted(name) + ": unknown key (a run has \"text\", \"size\", \"color\", \"blink\")");
    }
    if (!status.ok()) return status;
  }
  if (!hasText) return Status::BadInput(Quoted(where) + ": a run needs \"text\"");
  for (char byte : text) {
    attributes.character = static_cast<unsigned char>(byte);
    line.push_back(attributes);
  }
  return {};
}

Status ReadLines(const json& value, std::string& out) {
  constexpr std::string_view kShape = "must be an array of lines, each an array of runs";
  if (!value.is_array()) return Wrong("lines", std::string(kShape), value);
  std::vector<LINE1_PROP> lines;
  for (size_t n = 0; n < value.size(); ++n) {
    std::string where = "lines[" + std::to_string(n) + "]";
    if (!value[n].is_array()) return Wrong(where, std::string(kShape), value[n]);
    LINE1_PROP& line = lines.emplace_back();
    for (size_t r = 0; r < value[n].size(); ++r) {
      Status status = ReadRun(value[n][r], where + "[" + std::to_string(r) + "]", line);
      if (!status.ok()) return status;
    }
  }
  out = EncodeInlineText(lines);
  return {};
}

Status ReadMessage(const json& object, CommandMessage& message) {
  if (!object.is_object()) return Status::BadInput("a message must be a JSON object, got " + Shown(object));
  if (object.contains("text") && object.contains("lines"))
    return Status::BadInput("give the text either as \"text\" or as \"lines\", not both");
  MessageCodes& codes = message.codes;
  for (const auto& [key, value] : object.items()) {
    Status status;
    if (key == "address") {
      status = ReadAttribute(Attribute::Address, value, message.addressMode);
    } else if (key == "group") {
      status = ReadInt(key, value, 0, 99, message.group);
    } else if (key == "unit") {
      status = ReadInt(key, value, 0, 9999, message.unit);
    } else if (key == "reset") {
      status = ReadAttribute(Attribute::Reset, value, codes.resetMode);
    } else if (key == "position") {
      status = ReadAttribute(Attribute::Position, value, codes.position);
    } else if (key == "line") {
      status = ReadInt(key, value, 0, 99, codes.line);
    } else if (key == "column") {
      status = ReadInt(key, value, 0, 99, codes.column);
    } else if (key == "clear_line") {
      status = ReadBool(key, value, codes.clearLine);
    } else if (key == "effect") {
      status = ReadAttribute(Attribute::Effect, value, codes.effect);
    } else if (key == "blink_off_at_end") {
      status = ReadBool(key, value, message.blinkOffAtEnd);
    } else if (key == "flash") {
      status = ReadAttribute(Attribute::Flash, value, codes.flashMode);
    } else if (key == "text") {
      status = ReadText(key, value, message.text);
    } else if (key == "lines") {
      status = ReadLines(value, message.text);
    } else {
      status = Status::BadInput(Quoted(key) + ": unknown key");
    }
    if (!status.ok()) return status;
  }
  // As the composer keeps them: broadcast and the default address send no numbers of
  // their own, a specific group no unit.
  std::string_view address = AttributeValueName(Attribute::Address, message.addressMode);
  if (message.addressMode != kAddressSpecificUnit && message.addressMode != kAddressSpecificGroup &&
      (message.group != 0 || message.unit != 0))
    return Status::BadInput("\"group\" and \"unit\" do not apply to the \"" + std::string(address) +
                            "\" address; leave them out or give \"address\": \"unit\" or \"group\"");
  if (message.addressMode == kAddressSpecificGroup && message.unit != 0)
    return Status::BadInput("\"unit\" does not apply to the \"group\" address; give \"address\": \"unit\"");
  return {};
}

json AttributeJson(Attribute attribute, int value) {
  std::string_view name = AttributeValueName(attribute, value);
  return name.empty() ? json(value) : json(std::string(name));
}

// The editor's lines as runs of characters with the same attributes.
json LinesJson(std::string_view textWithCodes) {
  json lines = json::array();
  for (const LINE1_PROP& line : DecodeInlineLines(textWithCodes)) {
    json runs = json::array();
    std::string bytes;
    for (size_t i = 0; i < line.size(); ++i) {
      const CHAR_PROP& c = line[i];
      bytes += static_cast<char>(c.character & 0xFF);
      bool runEnds = i + 1 == line.size() || line[i + 1].size != c.size || line[i + 1].color != c.color ||
                     line[i + 1].blink != c.blink;
      if (!runEnds) continue;
      std::string_view color = ColorName(c.color);
      runs.push_back({{"text", CodePageToUtf8(bytes)},
                      {"size", c.size},
                      {"color", std::string(color.empty() ? "red" : color)},
                      {"blink", c.blink != 0}});
      bytes.clear();
    }
    lines.push_back(std::move(runs));
  }
  return lines;
}

}  // namespace

JsonDocument ParseJsonStrictly(std::string_view text, int maxDepth) {
  StrictnessCheck check(maxDepth);
  if (!json::sax_parse(text, &check) || !check.error().empty())
    return {Status::BadInput(check.error().empty() ? "not valid JSON" : check.error()), json()};
  json value = json::parse(text, nullptr, false);
  if (value.is_discarded()) return {Status::BadInput("not valid JSON"), json()};
  return {Status(), std::move(value)};
}

MessageJsonResult ParseMessageJson(std::string_view text) {
  JsonDocument document = ParseJsonStrictly(text, kMessageDepth);
  if (!document.status.ok()) return {document.status, {}};
  return MessageFromJson(document.value);
}

MessageJsonResult MessageFromJson(const json& object) {
  MessageJsonResult result;
  result.status = ReadMessage(object, result.message);
  if (!result.status.ok()) result.message = CommandMessage();
  return result;
}

json MessageToJsonValue(const CommandMessage& message, JsonTextForm form) {
  const MessageCodes& codes = message.codes;
  json object = {
      {"address", AttributeJson(Attribute::Address, message.addressMode)},
      {"group", message.group},
      {"unit", message.unit},
      {"reset", AttributeJson(Attribute::Reset, codes.resetMode)},
      {"position", AttributeJson(Attribute::Position, codes.position)},
      {"line", codes.line},
      {"column", codes.column},
      {"clear_line", codes.clearLine},
      {"effect", AttributeJson(Attribute::Effect, codes.effect)},
      {"blink_off_at_end", message.blinkOffAtEnd},
      {"flash", AttributeJson(Attribute::Flash, codes.flashMode)},
  };
  if (form == JsonTextForm::Text)
    object["text"] = CodePageToUtf8(message.text);
  else
    object["lines"] = LinesJson(message.text);
  return object;
}

std::string MessageToJson(const CommandMessage& message, JsonTextForm form) {
  return MessageToJsonValue(message, form).dump(-1, ' ', false, json::error_handler_t::replace);
}
