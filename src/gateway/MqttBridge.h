#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <memory>
#include <string>

#include "gateway/GatewayConfig.h"
#include "gateway/MqttClient.h"
#include "gateway/MqttTopics.h"
#include "gateway/SignOwnership.h"

class Gateway;
class LiveSigns;
struct SignState;

// The gateway's MQTT side: takes commands from the broker into the gateway's queues and
// publishes what becomes of them, each sign's state (retained), the gateway's status and
// its claim on its signs. A command is stored in the queue inside the client's message
// handler, so the broker's copy is acknowledged only once it is safe; a command carrying
// the id of one already stored (a redelivery) is not applied again. Commands for signs
// or tags this gateway does not drive are left to the gateway that does.
class MqttBridge : public QObject {
  Q_OBJECT

 public:
  MqttBridge(Gateway& gateway, LiveSigns& live, const MqttConfig& config, QObject* parent = nullptr);
  ~MqttBridge() override;

  // Starts connecting; BadInput for settings the client refuses.
  Status Start();
  // Publishes "offline" and disconnects cleanly.
  void Stop();

 private:
  void Connected();
  void Arrived(const std::string& topic, const std::string& payload, bool retained);
  void Command(const MqttInTopic& topic, const std::string& payload);
  void Apply(const SignOwnership::Actions& actions);
  void PublishState(const SignState& sign);
  void PublishDiscovery();
  void PublishJson(const std::string& topic, const std::string& json, bool retain);

  Gateway& m_gateway;
  LiveSigns& m_live;
  MqttConfig m_config;
  std::unique_ptr<MqttClient> m_client;
  SignOwnership m_ownership;
  QTimer m_settle;
  uint64_t m_subscription = 0;
};
