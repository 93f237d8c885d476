#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "gateway/Gateway.h"
#include "gateway/GatewayConfig.h"
#include "message/CommandMessage.h"

// The body of a message submission: one JSON object holding either
//   "raw": "..."           the command text as is (UTF-8, sent as Windows-1252 bytes)
// or the JSON form of a message (message/MessageJson.h; without "address" the message
// goes to each sign's own address), and beside either
//   "force": true|false    send what the checks refuse (a character without a byte
//                          becomes "?")
//   "supersede": true|false   replace this sign's queued messages (default: the config's)
//   "expires": SECONDS | "2026-01-31T14:00:00Z"   drop it unsent after that
// Any other key, a value of the wrong type, an expiry in the past: kBadRequest.
struct MessageRequest {
  std::string raw;  // Windows-1252 bytes; empty when message is set
  std::optional<CommandMessage> message;
  bool addressGiven = false;  // message names its own address
  bool force = false;
  std::optional<bool> supersede;
  std::optional<GatewayTime> expires;
};

struct MessageRequestParse {
  MessageRequest request;
  std::optional<GatewayError> error;
};

MessageRequestParse ParseMessageRequest(std::string_view body, GatewayTime now);

// The pre-send checks of a message for the sign's model: kUnprocessable naming every
// finding, unless the request is forced. Raw text is not checked.
std::optional<GatewayError> CheckForSign(const MessageRequest& request, const SignConfig& sign);

// The exact bytes a sign gets: the sign's own address code (its group and unit; the group
// alone when its unit is 0) in front, unless the raw text starts with an address of its own.
std::string CommandForSign(const MessageRequest& request, const SignConfig& sign);

// An ISO 8601 time with a zone ("2026-01-31T14:00:00Z", "...+01:00", fractions allowed)
// as milliseconds since the epoch; nothing for anything else.
std::optional<GatewayTime> ParseIsoTime(std::string_view text);
