#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "gateway/Gateway.h"

// The JSON the HTTP API answers with, built from the engine's values. Command strings are
// the sign's single-byte text and come out as UTF-8; times as ISO 8601 UTC with
// milliseconds ("2026-12-08T14:55:00.123Z").

std::string IsoTime(GatewayTime time);
// An ISO 8601 UTC time as IsoTime writes it, with or without the milliseconds, or a
// number of milliseconds since the epoch; nothing for anything else.
std::optional<GatewayTime> ParseApiTime(std::string_view text);

nlohmann::json SignJson(const SignState& sign);
nlohmann::json MessageJson(const MessageInfo& message);
nlohmann::json AcceptedJson(const AcceptedMessage& accepted);
nlohmann::json LogRowJson(const LogRow& row);
