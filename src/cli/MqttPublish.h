#pragma once

#include <cstdint>
#include <string>

#include "common/Status.h"

// One message published to an MQTT broker and confirmed, for a command that runs once
// and ends: no event loop, every wait bounded.

struct MqttPublishRequest {
  std::string host;
  uint16_t port = 1883;
  std::string topic;
  std::string payload;
  int timeoutMs = 10000;  // for connecting and the acknowledgement together
};

// Connects (a clean session, a fresh client id), publishes at QoS 1 and waits for the
// broker's PUBACK. Ok once the broker has the message; otherwise OsFailure with what
// went wrong: the broker unreachable or refusing the connection, the connection lost, or
// no acknowledgement within the time-out.
[[nodiscard]] Status PublishAndConfirm(const MqttPublishRequest& request);
