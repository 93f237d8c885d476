#include "gateway/MqttClient.h"

#include <mosquitto.h>

#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>

namespace {

constexpr int kHousekeepingMs = 1000;
// Packets read or written per notifier wake-up; the library stops early when the socket
// has nothing more, and TLS may hold bytes that the socket no longer shows.
constexpr int kPacketsPerStep = 100;

void InitLibrary() {
  static std::once_flag once;
  std::call_once(once, [] { mosquitto_lib_init(); });
}

QString ErrorText(int rc) {
  return QString::fromUtf8(mosquitto_strerror(rc));
}

}  // namespace

MqttClient::MqttClient(MqttSettings settings, QObject* parent) : QObject(parent), m_settings(std::move(settings)) {
  InitLibrary();
  m_housekeeping.setInterval(kHousekeepingMs);
  connect(&m_housekeeping, &QTimer::timeout, this, &MqttClient::Housekeeping);
  m_reconnect.setSingleShot(true);
  connect(&m_reconnect, &QTimer::timeout, this, &MqttClient::Connect);
}

MqttClient::~MqttClient() {
  Stop();
  m_readNotifier.reset();
  m_writeNotifier.reset();
  if (m_mosq) mosquitto_destroy(m_mosq);
}

Status MqttClient::Start() {
  if (m_started) return {};
  m_mosq =
      mosquitto_new(m_settings.clientId.empty() ? nullptr : m_settings.clientId.c_str(), m_settings.cleanSession, this);
  if (!m_mosq) return Status::BadInput("the MQTT client cannot be made (a persistent session needs a client id)");
  // Deferred writes: what the library queues (above all the acknowledgement of a message
  // being handled) goes out on the next write step, after the handler has returned.
  mosquitto_threaded_set(m_mosq, true);
  mosquitto_connect_callback_set(m_mosq, &MqttClient::OnConnect);
  mosquitto_disconnect_callback_set(m_mosq, &MqttClient::OnDisconnect);
  mosquitto_message_callback_set(m_mosq, &MqttClient::OnMessage);
  if (!m_settings.username.empty()) {
    mosquitto_username_pw_set(m_mosq, m_settings.username.c_str(),
                              m_settings.password.empty() ? nullptr : m_settings.password.c_str());
  }
  if (!m_settings.caFile.empty()) {
    int rc = mosquitto_tls_set(m_mosq, m_settings.caFile.c_str(), nullptr,
                               m_settings.certFile.empty() ? nullptr : m_settings.certFile.c_str(),
                               m_settings.keyFile.empty() ? nullptr : m_settings.keyFile.c_str(), nullptr);
    if (rc != MOSQ_ERR_SUCCESS) return Status::BadInput("MQTT TLS files: " + ErrorText(rc).toStdString());
  }
  if (!m_settings.willTopic.empty()) {
    int rc = mosquitto_will_set(m_mosq, m_settings.willTopic.c_str(), int(m_settings.willPayload.size()),
                                m_settings.willPayload.data(), 1, m_settings.willRetain);
    if (rc != MOSQ_ERR_SUCCESS) return Status::BadInput("MQTT will: " + ErrorText(rc).toStdString());
  }
  m_started = true;
  m_backoffMs = m_settings.reconnectInitialMs;
  m_housekeeping.start();
  Connect();
  return {};
}

void MqttClient::Subscribe(const std::string& filter, int qos) {
  m_subscriptions.emplace_back(filter, qos);
  if (m_connected) {
    mosquitto_subscribe(m_mosq, nullptr, filter.c_str(), qos);
    WatchSocket();
  }
}

Status MqttClient::Publish(const std::string& topic, std::string_view payload, int qos, bool retain) {
  if (!m_mosq) return Status::Unsupported("the MQTT client is not started");
  int rc = mosquitto_publish(m_mosq, nullptr, topic.c_str(), int(payload.size()), payload.data(), qos, retain);
  // Without a connection the library keeps QoS 1 messages for the next one.
  if (rc != MOSQ_ERR_SUCCESS && rc != MOSQ_ERR_NO_CONN) {
    return Status::BadInput("MQTT publish to " + topic + ": " + ErrorText(rc).toStdString());
  }
  WatchSocket();
  return {};
}

void MqttClient::Stop() {
  if (m_stopping || !m_mosq) return;
  m_stopping = true;
  m_reconnect.stop();
  m_housekeeping.stop();
  if (m_connected) {
    mosquitto_disconnect(m_mosq);
    mosquitto_loop_write(m_mosq, kPacketsPerStep);
    m_connected = false;
  }
}

void MqttClient::Connect() {
  if (m_stopping) return;
  // The library closes the old socket when it connects again: stop watching it first.
  DropNotifiers();
  // The first call gives the library the broker's address; later ones reuse it.
  int rc = m_connectCalled
               ? mosquitto_reconnect_async(m_mosq)
               : mosquitto_connect_async(m_mosq, m_settings.host.c_str(), m_settings.port, m_settings.keepAliveSeconds);
  m_connectCalled = true;
  if (rc != MOSQ_ERR_SUCCESS) {
    ConnectionLost(rc == MOSQ_ERR_ERRNO ? QString::fromLocal8Bit(std::strerror(errno)) : ErrorText(rc));
    return;
  }
  WatchSocket();
}

void MqttClient::DropNotifiers() {
  // Called from the notifiers' own slots too, so they go when control is back in the loop.
  for (std::unique_ptr<QSocketNotifier>* notifier : {&m_readNotifier, &m_writeNotifier}) {
    if (*notifier) {
      (*notifier)->setEnabled(false);
      notifier->release()->deleteLater();
    }
  }
  m_socket = -1;
}

void MqttClient::ConnectionLost(const QString& reason) {
  DropNotifiers();
  bool wasConnected = m_connected;
  m_connected = false;
  if (m_stopping || m_reconnect.isActive()) return;
  m_reconnect.start(m_backoffMs);
  m_backoffMs = std::min(m_backoffMs * 2, m_settings.reconnectMaxMs);
  if (wasConnected) {
    QMetaObject::invokeMethod(
        this, [this, reason] { emit disconnected(reason); }, Qt::QueuedConnection);
  }
}

void MqttClient::WatchSocket() {
  if (!m_mosq) return;
  int socket = mosquitto_socket(m_mosq);
  if (socket != m_socket) {
    DropNotifiers();
    m_socket = socket;
    if (socket >= 0) {
      m_readNotifier = std::make_unique<QSocketNotifier>(socket, QSocketNotifier::Read);
      connect(m_readNotifier.get(), &QSocketNotifier::activated, this, &MqttClient::Read);
      m_writeNotifier = std::make_unique<QSocketNotifier>(socket, QSocketNotifier::Write);
      connect(m_writeNotifier.get(), &QSocketNotifier::activated, this, &MqttClient::Write);
    }
  }
  if (m_writeNotifier) m_writeNotifier->setEnabled(mosquitto_want_write(m_mosq));
}

void MqttClient::Read() {
  int rc = mosquitto_loop_read(m_mosq, kPacketsPerStep);
  if (rc != MOSQ_ERR_SUCCESS) {
    ConnectionLost(ErrorText(rc));
    return;
  }
  WatchSocket();
}

void MqttClient::Write() {
  int rc = mosquitto_loop_write(m_mosq, kPacketsPerStep);
  if (rc != MOSQ_ERR_SUCCESS) {
    ConnectionLost(ErrorText(rc));
    return;
  }
  WatchSocket();
}

void MqttClient::Housekeeping() {
  if (m_socket < 0) return;
  // Keep-alive pings; a broker that stopped answering them closes the connection here.
  int rc = mosquitto_loop_misc(m_mosq);
  if (rc != MOSQ_ERR_SUCCESS || mosquitto_socket(m_mosq) < 0) {
    ConnectionLost(ErrorText(rc == MOSQ_ERR_SUCCESS ? MOSQ_ERR_CONN_LOST : rc));
    return;
  }
  WatchSocket();
}

void MqttClient::SendSubscriptions() {
  for (const auto& [filter, qos] : m_subscriptions) mosquitto_subscribe(m_mosq, nullptr, filter.c_str(), qos);
}

void MqttClient::OnConnect(mosquitto*, void* self, int rc) {
  auto* client = static_cast<MqttClient*>(self);
  if (rc != 0) {
    client->ConnectionLost(QString::fromUtf8(mosquitto_connack_string(rc)));
    return;
  }
  client->m_connected = true;
  client->m_backoffMs = client->m_settings.reconnectInitialMs;
  client->SendSubscriptions();
  QMetaObject::invokeMethod(
      client, [client] { emit client->connected(); }, Qt::QueuedConnection);
}

void MqttClient::OnDisconnect(mosquitto*, void* self, int rc) {
  static_cast<MqttClient*>(self)->ConnectionLost(ErrorText(rc == 0 ? MOSQ_ERR_CONN_LOST : rc));
}

void MqttClient::OnMessage(mosquitto*, void* self, const mosquitto_message* message) {
  auto* client = static_cast<MqttClient*>(self);
  if (!client->m_handler || !message->topic) return;
  std::string payload(static_cast<const char*>(message->payload), size_t(std::max(message->payloadlen, 0)));
  client->m_handler(message->topic, payload, message->retain);
}
