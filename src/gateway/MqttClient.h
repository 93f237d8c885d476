#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/Status.h"

class QSocketNotifier;
struct mosquitto;
struct mosquitto_message;

// Where and how to reach the broker.
struct MqttSettings {
  std::string host = "127.0.0.1";
  uint16_t port = 1883;
  std::string clientId;  // required for a persistent session
  std::string username;  // empty: none
  std::string password;
  std::string caFile;    // set: TLS, the broker's certificate checked against it
  std::string certFile;  // with keyFile: a client certificate
  std::string keyFile;
  int keepAliveSeconds = 30;
  bool cleanSession = false;  // false: the broker keeps subscriptions and QoS 1 messages for us
  std::string willTopic;      // empty: no will
  std::string willPayload;
  bool willRetain = true;
  int reconnectInitialMs = 500;  // the pause after a lost connection, doubled up to the max
  int reconnectMaxMs = 30000;
};

// An MQTT client on the Qt event loop, over libmosquitto: the library's socket is watched
// by notifiers and its housekeeping runs on a timer, so nothing waits on the broker. It
// connects in the background, reconnects with backoff for as long as it lives, and renews
// its subscriptions on every connect.
//
// Acknowledgements: a QoS 1 message is acknowledged to the broker only after the message
// handler has returned (the client runs the library in its deferred-write mode and writes
// the acknowledgement on the next write step). A handler that stores the message before
// returning therefore never loses one: a crash before that makes the broker send it again.
class MqttClient : public QObject {
  Q_OBJECT

 public:
  // topic, payload (bytes as published), retained (a retained message delivered on subscribe).
  using MessageHandler = std::function<void(const std::string&, const std::string&, bool)>;

  explicit MqttClient(MqttSettings settings, QObject* parent = nullptr);
  ~MqttClient() override;

  // Sets the handler that every arriving message goes to, on the event loop.
  void SetMessageHandler(MessageHandler handler) { m_handler = std::move(handler); }

  // Applies the settings and starts connecting. BadInput when the library refuses them
  // (a TLS file that cannot be read, a will topic with wildcards); the client then stays
  // idle.
  Status Start();

  // Kept, and sent again after every connect.
  void Subscribe(const std::string& filter, int qos);
  // Queues a message. QoS 1 messages published while the broker is away are sent when the
  // connection is back; QoS 0 ones are dropped. BadInput for a topic the library refuses.
  Status Publish(const std::string& topic, std::string_view payload, int qos, bool retain);

  bool IsConnected() const { return m_connected; }
  // Disconnects cleanly (the broker does not publish the will) and stops reconnecting.
  void Stop();

 signals:
  void connected();
  void disconnected(const QString& reason);

 private:
  static void OnConnect(mosquitto*, void* self, int rc);
  static void OnDisconnect(mosquitto*, void* self, int rc);
  static void OnMessage(mosquitto*, void* self, const mosquitto_message* message);

  void Connect();
  void ConnectionLost(const QString& reason);
  void DropNotifiers();
  void WatchSocket();
  void Read();
  void Write();
  void Housekeeping();
  void SendSubscriptions();

  MqttSettings m_settings;
  mosquitto* m_mosq = nullptr;
  MessageHandler m_handler;
  std::vector<std::pair<std::string, int>> m_subscriptions;
  int m_socket = -1;
  std::unique_ptr<QSocketNotifier> m_readNotifier;
  std::unique_ptr<QSocketNotifier> m_writeNotifier;
  QTimer m_housekeeping;
  QTimer m_reconnect;
  int m_backoffMs = 0;
  bool m_started = false;
  bool m_connectCalled = false;
  bool m_connected = false;
  bool m_stopping = false;
};
