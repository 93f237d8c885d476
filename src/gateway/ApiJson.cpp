#include "gateway/ApiJson.h"

#include <charconv>
#include <cstdio>
#include <ctime>

#include "common/CodePage.h"

namespace {

nlohmann::json OptionalTime(const std::optional<GatewayTime>& time) {
  return time ? nlohmann::json(IsoTime(*time)) : nlohmann::json(nullptr);
}

nlohmann::json TextOrNull(const std::string& text) {
  return text.empty() ? nlohmann::json(nullptr) : nlohmann::json(text);
}

std::string_view TransportName(SignTransport transport) {
  return transport == SignTransport::kTcp ? "tcp" : "serial";
}

// Days since 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's algorithm).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? static_cast<unsigned>(-3) : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

bool Digits(std::string_view text, size_t at, size_t count, int& value) {
  if (at + count > text.size()) return false;
  const char* begin = text.data() + at;
  const auto [end, error] = std::from_chars(begin, begin + count, value);
  return error == std::errc() && end == begin + count;
}

}  // namespace

std::string IsoTime(GatewayTime time) {
  const time_t seconds = static_cast<time_t>(time >= 0 ? time / 1000 : (time - 999) / 1000);
  const auto millis = static_cast<int>(time - static_cast<GatewayTime>(seconds) * 1000);
  std::tm parts{};
  gmtime_r(&seconds, &parts);
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", parts.tm_year + 1900, parts.tm_mon + 1,
                parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec, millis);
  return text;
}

std::optional<GatewayTime> ParseApiTime(std::string_view text) {
  GatewayTime number = 0;
  if (const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
      !text.empty() && error == std::errc() && end == text.data() + text.size())
    return number;
  // YYYY-MM-DDTHH:MM:SS[.mmm]Z
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millis = 0;
  if (!Digits(text, 0, 4, year) || text.size() < 20 || text[4] != '-' || !Digits(text, 5, 2, month) || text[7] != '-' ||
      !Digits(text, 8, 2, day) || text[10] != 'T' || !Digits(text, 11, 2, hour) || text[13] != ':' ||
      !Digits(text, 14, 2, minute) || text[16] != ':' || !Digits(text, 17, 2, second))
    return std::nullopt;
  std::string_view rest = text.substr(19);
  if (rest.size() == 5 && rest[0] == '.') {
    if (!Digits(rest, 1, 3, millis)) return std::nullopt;
    rest.remove_prefix(4);
  }
  if (rest != "Z" || month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 59)
    return std::nullopt;
  const int64_t days = DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
  return ((days * 24 + hour) * 60 + minute) * 60000 + second * 1000 + millis;
}

nlohmann::json SignJson(const SignState& sign) {
  const SignConfig& c = sign.config;
  nlohmann::json link = {{"transport", TransportName(c.transport)}};
  if (c.transport == SignTransport::kTcp) {
    link["tcp"] = c.tcpAddress;
    link["port"] = c.tcpPort;
  } else {
    link["serial"] = c.serialPort;
    link["baud"] = c.baud;
  }
  return {{"name", c.name},
          {"link", link},
          {"group", c.group},
          {"unit", c.unit},
          {"model", c.model},
          {"tags", c.tags},
          {"current_message_id", TextOrNull(sign.currentMessageId)},
          {"current_command", CodePageToUtf8(sign.currentCommand)},
          {"last_result", TextOrNull(sign.lastResult)},
          {"last_error", sign.lastError},
          {"last_success", OptionalTime(sign.lastSuccess)},
          {"queue_length", sign.queueLength}};
}

nlohmann::json MessageJson(const MessageInfo& message) {
  return {{"id", message.id},
          {"sign", message.sign},
          {"source", message.source},
          {"command", CodePageToUtf8(message.command)},
          {"state", MessageStateName(message.state)},
          {"attempts", message.attempts},
          {"error", message.error},
          {"created", IsoTime(message.created)},
          {"updated", IsoTime(message.updated)},
          {"expires", OptionalTime(message.expires)}};
}

nlohmann::json AcceptedJson(const AcceptedMessage& accepted) {
  return {{"id", accepted.id}, {"sign", accepted.sign}, {"command", CodePageToUtf8(accepted.command)}};
}

nlohmann::json LogRowJson(const LogRow& row) {
  return {{"id", row.id},          {"time", IsoTime(row.time)}, {"message_id", row.messageId},
          {"source", row.source},  {"sign", row.sign},          {"command", CodePageToUtf8(row.command)},
          {"result", row.result},  {"error", row.error},        {"duration_ms", row.durationMs},
          {"attempt", row.attempt}};
}
