#include "gateway/MessageRequest.h"

#include <nlohmann/json.hpp>

#include <charconv>

#include "common/CodePage.h"
#include "message/CommandString.h"
#include "message/MessageCheck.h"
#include "message/MessageJson.h"

namespace {

constexpr double kMaxExpirySeconds = 366.0 * 24 * 3600;

GatewayError BadRequest(std::string error, std::string detail) {
  return {GatewayError::Kind::kBadRequest, std::move(error), std::move(detail)};
}

bool ReadDigits(std::string_view text, size_t at, size_t count, int& value) {
  if (at + count > text.size()) return false;
  value = 0;
  for (size_t i = at; i < at + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

// Days since 1970-01-01 of a date in the proleptic Gregorian calendar.
int64_t DaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int yoe = y - era * 400;
  const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return int64_t{era} * 146097 + doe - 719468;
}

}  // namespace

std::optional<GatewayTime> ParseIsoTime(std::string_view text) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  if (!ReadDigits(text, 0, 4, year) || text.size() < 19 || text[4] != '-' || !ReadDigits(text, 5, 2, month) ||
      text[7] != '-' || !ReadDigits(text, 8, 2, day) || (text[10] != 'T' && text[10] != 't' && text[10] != ' ') ||
      !ReadDigits(text, 11, 2, hour) || text[13] != ':' || !ReadDigits(text, 14, 2, minute) || text[16] != ':' ||
      !ReadDigits(text, 17, 2, second))
    return std::nullopt;
  static constexpr int kMonthDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  if (month < 1 || month > 12 || day < 1 || day > kMonthDays[month - 1] || (month == 2 && day == 29 && !leap) ||
      hour > 23 || minute > 59 || second > 60)
    return std::nullopt;
  size_t at = 19;
  int64_t millis = 0;
  if (at < text.size() && text[at] == '.') {
    int64_t scale = 100;
    size_t digits = 0;
    for (++at; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at, ++digits) {
      millis += (text[at] - '0') * scale;
      scale /= 10;
    }
    if (digits == 0) return std::nullopt;
  }
  int64_t offsetMinutes = 0;
  if (at < text.size() && (text[at] == 'Z' || text[at] == 'z')) {
    ++at;
  } else if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    int oh = 0, om = 0;
    if (!ReadDigits(text, at + 1, 2, oh) || at + 3 >= text.size() || text[at + 3] != ':' ||
        !ReadDigits(text, at + 4, 2, om) || oh > 23 || om > 59)
      return std::nullopt;
    offsetMinutes = (text[at] == '+' ? 1 : -1) * (oh * 60 + om);
    at += 6;
  } else {
    return std::nullopt;  // a time without a zone means a different instant on every machine
  }
  if (at != text.size()) return std::nullopt;
  const int64_t seconds =
      DaysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second - offsetMinutes * 60;
  return seconds * 1000 + millis;
}

MessageRequestParse ParseMessageRequest(std::string_view body, GatewayTime now) {
  MessageRequestParse out;
  JsonDocument document = ParseJsonStrictly(body, 8);
  if (!document.status.ok()) {
    out.error = BadRequest("bad_json", document.status.message());
    return out;
  }
  nlohmann::json& root = document.value;
  if (!root.is_object()) {
    out.error = BadRequest("bad_json", "the body must be a JSON object");
    return out;
  }
  MessageRequest& request = out.request;
  bool haveRaw = false;
  std::string rawUtf8;
  nlohmann::json messageKeys = nlohmann::json::object();
  for (const auto& [key, value] : root.items()) {
    if (key == "raw") {
      if (!value.is_string() || value.get_ref<const std::string&>().empty()) {
        out.error = BadRequest("bad_value", "\"raw\": must be a non-empty string");
        return out;
      }
      rawUtf8 = value.get<std::string>();
      haveRaw = true;
    } else if (key == "force" || key == "supersede") {
      if (!value.is_boolean()) {
        out.error = BadRequest("bad_value", "\"" + key + "\": must be true or false");
        return out;
      }
      if (key == "force")
        request.force = value.get<bool>();
      else
        request.supersede = value.get<bool>();
    } else if (key == "expires") {
      if (value.is_number()) {
        const double seconds = value.get<double>();
        if (!(seconds > 0 && seconds <= kMaxExpirySeconds)) {
          out.error = BadRequest("bad_value", "\"expires\": seconds must be above 0 and at most a year");
          return out;
        }
        request.expires = now + static_cast<GatewayTime>(seconds * 1000);
      } else if (value.is_string()) {
        request.expires = ParseIsoTime(value.get<std::string>());
        if (!request.expires) {
          out.error = BadRequest("bad_value", "\"expires\": must be seconds or a time such as 2026-01-31T14:00:00Z");
          return out;
        }
        if (*request.expires <= now) {
          out.error = BadRequest("bad_value", "\"expires\": the time has passed");
          return out;
        }
      } else {
        out.error = BadRequest("bad_value", "\"expires\": must be seconds or a time such as 2026-01-31T14:00:00Z");
        return out;
      }
    } else {
      messageKeys[key] = value;
    }
  }
  if (!haveRaw) {
    MessageJsonResult message = MessageFromJson(messageKeys);
    if (!message.status.ok()) {
      const bool unknown = message.status.message().find("unknown") != std::string::npos;
      out.error = BadRequest(unknown ? "unknown_field" : "bad_value", message.status.message());
      return out;
    }
    request.addressGiven = messageKeys.contains("address");
    request.message = std::move(message.message);
    return out;
  }
  if (!messageKeys.empty()) {
    out.error = BadRequest("unknown_field", "\"" + messageKeys.begin().key() + "\": not with \"raw\"");
    return out;
  }
  CodePageText bytes = Utf8ToCodePage(rawUtf8, request.force ? Unmappable::Replace : Unmappable::Refuse);
  if (!bytes.status.ok()) {
    // Malformed text is refused even with force; only characters without a byte give way.
    const bool unmappableOnly = !bytes.unmappable.empty();
    out.error = unmappableOnly ? GatewayError{GatewayError::Kind::kUnprocessable, "unmappable_character",
                                              "\"raw\": " + bytes.status.message()}
                               : BadRequest("bad_value", "\"raw\": " + bytes.status.message());
    return out;
  }
  request.raw = std::move(bytes.bytes);
  return out;
}

namespace {

CommandMessage AddressedTo(const MessageRequest& request, const SignConfig& sign) {
  CommandMessage message = *request.message;
  if (!request.addressGiven) {
    message.addressMode = sign.unit == 0 ? kAddressSpecificGroup : kAddressSpecificUnit;
    message.group = sign.group;
    message.unit = sign.unit;
  }
  return message;
}

}  // namespace

std::optional<GatewayError> CheckForSign(const MessageRequest& request, const SignConfig& sign) {
  if (!request.message || request.force) return std::nullopt;
  const std::vector<CheckFinding> findings = CheckMessage(AddressedTo(request, sign), {sign.model, false});
  if (findings.empty()) return std::nullopt;
  std::string detail = "sign \"" + sign.name + "\":";
  for (const CheckFinding& f : findings) detail += " " + std::string(FindingKindName(f.kind)) + ": " + f.detail + ";";
  detail.pop_back();
  return GatewayError{GatewayError::Kind::kUnprocessable, std::string(FindingKindName(findings.front().kind)), detail};
}

std::string CommandForSign(const MessageRequest& request, const SignConfig& sign) {
  if (request.message) return BuildCommandString(AddressedTo(request, sign));
  if (request.raw.rfind("^A", 0) == 0) return request.raw;
  return AddressCode(sign.group, sign.unit) + request.raw;
}
