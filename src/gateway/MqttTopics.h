#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/Status.h"

// The gateway's MQTT topics, all under one prefix ("marquee" unless configured):
//   PREFIX/signs/NAME/message/set   a command for one sign (in)
//   PREFIX/tags/TAG/message/set     a command for every sign with the tag (in)
//   PREFIX/vars/NAME/set            a template variable's new value (in)
//   PREFIX/signs/NAME/result        what became of a command (out, not retained)
//   PREFIX/tags/TAG/result          a command for a tag refused as a whole (out)
//   PREFIX/signs/NAME/state         what the sign shows (out, retained)
//   PREFIX/signs/NAME/owner         the id of the gateway that drives the sign (retained)
//   PREFIX/gateways/ID/status       "online", or "offline" as the will (retained)

struct MqttInTopic {
  enum class Kind { kSignMessage, kTagMessage, kVariable, kOwner, kGatewayStatus };
  Kind kind = Kind::kSignMessage;
  std::string name;  // the sign, tag, variable or gateway
};

// The topic's meaning, or nothing for a topic the gateway does not read.
std::optional<MqttInTopic> ParseInTopic(std::string_view prefix, std::string_view topic);

// PREFIX/signs/NAME/LEAF, PREFIX/tags/TAG/LEAF, PREFIX/gateways/ID/status.
std::string SignTopic(std::string_view prefix, std::string_view sign, std::string_view leaf);
std::string TagTopic(std::string_view prefix, std::string_view tag, std::string_view leaf);
std::string GatewayStatusTopic(std::string_view prefix, std::string_view gateway);

// Home Assistant's id of a sign's text entity, "ferromarquee_" and the name: its discovery
// topic level takes letters, digits, '_' and '-' only, so every other byte becomes '_'.
std::string DiscoveryObjectId(std::string_view sign);

// A command's payload as a submission body. A JSON object is taken as it is but for its
// "id" (the publisher's id of the command, for telling a redelivery from a new command),
// which is moved to id; anything else is a text in size 1, red, one line per line of the
// payload. BadInput for a payload that is not UTF-8 or an "id" that is not a string.
struct MqttCommand {
  std::string body;
  std::string id;  // empty: the publisher gave none
  Status status;
};
MqttCommand CommandFromPayload(std::string_view payload);

// A name may stand in a topic: not empty, and no '/', '+', '#' or NUL.
bool IsTopicLevel(std::string_view name);
