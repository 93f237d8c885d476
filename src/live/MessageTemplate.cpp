#include "live/MessageTemplate.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "common/Text.h"
#include "live/LocalTime.h"

namespace {

constexpr std::string_view kOpen = "{{";
constexpr std::string_view kClose = "}}";
constexpr int kDaily = 86400;

// The strftime fields a clock placeholder may use, with how often each can change.
// Others (locale modifiers, platform extensions) are refused, so a format means the
// same on every system.
struct ClockField {
  char code;
  int tickSeconds;  // 0: a constant ("%%", "%n", "%t")
};
constexpr std::array<ClockField, 36> kClockFields = {{
    {'S', 1},      {'s', 1},      {'T', 1},      {'r', 1},      {'c', 1},      {'X', 1},
    {'M', 60},     {'R', 60},     {'H', 3600},   {'I', 3600},   {'k', 3600},   {'l', 3600},
    {'p', 3600},   {'P', 3600},   {'z', 3600},   {'Z', 3600},   {'a', kDaily}, {'A', kDaily},
    {'b', kDaily}, {'B', kDaily}, {'h', kDaily}, {'d', kDaily}, {'e', kDaily}, {'j', kDaily},
    {'m', kDaily}, {'y', kDaily}, {'Y', kDaily}, {'C', kDaily}, {'D', kDaily}, {'F', kDaily},
    {'x', kDaily}, {'u', kDaily}, {'w', kDaily}, {'U', kDaily}, {'W', kDaily}, {'V', kDaily},
}};

const ClockField* FindClockField(char code) {
  for (const ClockField& field : kClockFields) {
    if (field.code == code) return &field;
  }
  return nullptr;
}

// Checks a strftime format and returns the finest tick of its fields (0: constant), or
// -1 when a field is not allowed.
int ClockTick(std::string_view format) {
  int tick = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') continue;
    if (++i == format.size()) return -1;
    char code = format[i];
    if (code == '%' || code == 'n' || code == 't') continue;
    const ClockField* field = FindClockField(code);
    if (!field) return -1;
    if (tick == 0 || field->tickSeconds < tick) tick = field->tickSeconds;
  }
  return tick;
}

bool IsNameChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '.';
}

constexpr size_t kMaxWidth = 100;
constexpr size_t kMaxPrecision = 60;

// One printf conversion: flags, width, precision, then one of d i u x X o f F e E g G s.
bool IsConversion(std::string_view conversion) {
  if (conversion.size() < 2 || conversion.front() != '%') return false;
  size_t i = 1;
  while (i < conversion.size() && std::string_view("-+ 0#").find(conversion[i]) != std::string_view::npos) ++i;
  size_t digits = 0;
  size_t width = 0;
  while (i < conversion.size() && conversion[i] >= '0' && conversion[i] <= '9')
    width = width * 10 + size_t(conversion[i++] - '0'), ++digits;
  if (digits > 3 || width > kMaxWidth) return false;
  if (i < conversion.size() && conversion[i] == '.') {
    ++i;
    size_t precision = 0;
    digits = 0;
    while (i < conversion.size() && conversion[i] >= '0' && conversion[i] <= '9') {
      precision = precision * 10 + size_t(conversion[i++] - '0');
      ++digits;
    }
    if (digits > 3 || precision > kMaxPrecision) return false;
  }
  return i + 1 == conversion.size() && std::string_view("diuxXofFeEgGs").find(conversion[i]) != std::string_view::npos;
}

Status ParsePlaceholder(std::string_view body, size_t position, TemplatePiece& piece) {
  auto bad = [&](const char* why) {
    return Status::BadInput(
        Format("placeholder \"{{%.*s}}\" at byte %zu: %s", int(body.size()), body.data(), position, why));
  };
  size_t colon = body.find(':');
  if (colon == std::string_view::npos) return bad("expected time:, date: or var:");
  std::string_view kind = body.substr(0, colon);
  std::string_view rest = body.substr(colon + 1);
  if (kind == "time" || kind == "date") {
    if (rest.empty()) return bad("the format is empty");
    if (ClockTick(rest) < 0) return bad("the format has a field that is not allowed");
    piece.kind = TemplatePiece::Kind::Clock;
    piece.text = rest;
    return {};
  }
  if (kind != "var") return bad("expected time:, date: or var:");
  size_t bar = rest.find('|');
  if (bar != std::string_view::npos) {
    piece.hasDefault = true;
    piece.defaultValue = rest.substr(bar + 1);
    if (!CheckVariableValue(piece.defaultValue).ok()) return bad("the default holds a caret or a control byte");
    rest = rest.substr(0, bar);
  }
  size_t conversion = rest.find(':');
  std::string_view name = rest.substr(0, conversion);
  if (!IsVariableName(name)) return bad("the variable name is not 1 to 64 letters, digits, '_', '-' or '.'");
  if (conversion != std::string_view::npos) {
    piece.conversion = rest.substr(conversion + 1);
    if (!IsConversion(piece.conversion)) return bad("the conversion is not one printf conversion such as %05d");
  }
  piece.kind = TemplatePiece::Kind::Variable;
  piece.text = name;
  return {};
}

std::string FormatClock(const std::string& format, std::time_t now) {
  std::tm local = LocalTime(now);
  // strftime reports 0 both for "too small" and for an empty result; a format of at
  // most 4 KiB with no field longer than 64 bytes always fits in this buffer.
  std::string out(format.size() * 64 + 1, '\0');
  size_t length = std::strftime(out.data(), out.size(), format.c_str(), &local);
  out.resize(length);
  return out;
}

template <typename... Args>
std::string PrintOne(const std::string& format, Args... value) {
  int length = std::snprintf(nullptr, 0, format.c_str(), value...);
  if (length <= 0) return {};
  std::string out(size_t(length) + 1, '\0');
  std::snprintf(out.data(), out.size(), format.c_str(), value...);
  out.resize(size_t(length));
  return out;
}

bool ParseNumber(std::string_view text, double& value) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && !text.empty() && std::isfinite(value);
}

// The value through its conversion. Integer conversions take decimals rounded to the
// nearest whole number, as a counter read from a controller may come as "42.0".
Status Convert(const TemplatePiece& piece, const std::string& value, std::string& out) {
  char kind = piece.conversion.back();
  if (kind == 's') {
    out = PrintOne(piece.conversion, value.c_str());
    return {};
  }
  double number = 0;
  if (!ParseNumber(value, number)) {
    return Status::BadInput(Format("the value of %s (\"%s\") is not a number", piece.text.c_str(), value.c_str()));
  }
  std::string format = piece.conversion;
  if (std::string_view("fFeEgG").find(kind) != std::string_view::npos) {
    out = PrintOne(format, number);
    return {};
  }
  double whole = std::round(number);
  bool isUnsigned = kind != 'd' && kind != 'i';
  if (whole < (isUnsigned ? 0.0 : -9.2e18) || whole > 9.2e18) {
    return Status::BadInput(Format("the value of %s (\"%s\") is out of range for %s", piece.text.c_str(), value.c_str(),
                                   piece.conversion.c_str()));
  }
  format.insert(format.size() - 1, "ll");
  out = isUnsigned ? PrintOne(format, static_cast<unsigned long long>(whole))
                   : PrintOne(format, static_cast<long long>(whole));
  return {};
}

}  // namespace

bool IsVariableName(std::string_view name) {
  return !name.empty() && name.size() <= 64 && std::all_of(name.begin(), name.end(), IsNameChar);
}

Status CheckVariableValue(std::string_view value) {
  if (value.size() > kMaxVariableValue) {
    return Status::BadInput(Format("the value is longer than %zu bytes", kMaxVariableValue));
  }
  for (size_t i = 0; i < value.size(); ++i) {
    auto byte = static_cast<unsigned char>(value[i]);
    if (byte == '^') return Status::BadInput(Format("the value holds a caret at byte %zu", i));
    if (byte < 0x20 || byte == 0x7F) return Status::BadInput(Format("the value holds a control byte at byte %zu", i));
  }
  return {};
}

Status MessageTemplate::Parse(std::string_view text) {
  std::vector<TemplatePiece> pieces;
  std::vector<std::string> variables;
  int tick = 0;
  size_t at = 0;
  while (at < text.size()) {
    size_t open = text.find(kOpen, at);
    if (open == std::string_view::npos) open = text.size();
    if (open > at)
      pieces.push_back({TemplatePiece::Kind::Literal, std::string(text.substr(at, open - at)), {}, false, {}});
    if (open == text.size()) break;
    size_t close = text.find(kClose, open + kOpen.size());
    if (close == std::string_view::npos) {
      return Status::BadInput(Format("placeholder at byte %zu has no closing \"}}\"", open));
    }
    TemplatePiece piece;
    std::string_view body = text.substr(open + kOpen.size(), close - open - kOpen.size());
    if (Status status = ParsePlaceholder(body, open, piece); !status.ok()) return status;
    if (piece.kind == TemplatePiece::Kind::Clock) {
      int fieldTick = ClockTick(piece.text);
      if (fieldTick > 0 && (tick == 0 || fieldTick < tick)) tick = fieldTick;
    } else if (std::find(variables.begin(), variables.end(), piece.text) == variables.end()) {
      variables.push_back(piece.text);
    }
    pieces.push_back(std::move(piece));
    at = close + kClose.size();
  }
  m_pieces = std::move(pieces);
  m_variables = std::move(variables);
  m_usesClock = std::any_of(m_pieces.begin(), m_pieces.end(),
                            [](const TemplatePiece& p) { return p.kind == TemplatePiece::Kind::Clock; });
  m_tickSeconds = tick;
  return {};
}

bool MessageTemplate::UsesVariable(std::string_view name) const {
  return std::find(m_variables.begin(), m_variables.end(), name) != m_variables.end();
}

Status MessageTemplate::Fill(const VariableLookup& lookup, std::time_t now, std::string& out) const {
  std::string filled;
  for (const TemplatePiece& piece : m_pieces) {
    switch (piece.kind) {
      case TemplatePiece::Kind::Literal:
        filled += piece.text;
        break;
      case TemplatePiece::Kind::Clock:
        filled += FormatClock(piece.text, now);
        break;
      case TemplatePiece::Kind::Variable: {
        const std::string* value = lookup ? lookup(piece.text) : nullptr;
        if (!value && !piece.hasDefault) {
          return Status::BadInput(Format("variable %s has no value and no default", piece.text.c_str()));
        }
        const std::string& text = value ? *value : piece.defaultValue;
        std::string converted = text;
        if (!piece.conversion.empty()) {
          if (Status status = Convert(piece, text, converted); !status.ok()) return status;
        }
        if (Status status = CheckVariableValue(converted); !status.ok()) {
          return Status::BadInput("variable " + piece.text + ": " + status.message());
        }
        filled += converted;
        break;
      }
    }
  }
  out = std::move(filled);
  return {};
}

std::time_t MessageTemplate::NextTick(std::time_t now) const {
  if (m_tickSeconds == 0) return 0;
  std::tm local = LocalTime(now);
  int year = local.tm_year + 1900;
  int month = local.tm_mon + 1;
  std::time_t next = 0;
  switch (m_tickSeconds) {
    case 1:
      return now + 1;
    case 60:
      next = MakeLocalTime(year, month, local.tm_mday, local.tm_hour, local.tm_min + 1, 0, local.tm_isdst);
      break;
    case 3600:
      next = MakeLocalTime(year, month, local.tm_mday, local.tm_hour + 1, 0, 0, local.tm_isdst);
      break;
    default:
      next = LocalMidnight(now, 1);
      break;
  }
  // A zone change can make the local step land at or before now; never tick backwards.
  return next > now ? next : now + m_tickSeconds;
}
