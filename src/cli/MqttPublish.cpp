#include "cli/MqttPublish.h"

#include <mosquitto.h>

#include <cerrno>
#include <chrono>
#include <cstring>

namespace {

// What the callbacks report back to the waiting loop.
struct Progress {
  bool connected = false;
  int connackCode = -1;  // the broker's answer to CONNECT; -1 until it comes
  int sentId = -1;
  bool acknowledged = false;
};

void OnConnect(mosquitto*, void* context, int code) {
  auto* progress = static_cast<Progress*>(context);
  progress->connackCode = code;
  progress->connected = code == 0;
}

void OnPublish(mosquitto*, void* context, int messageId) {
  auto* progress = static_cast<Progress*>(context);
  if (messageId == progress->sentId) progress->acknowledged = true;
}

std::string Where(const MqttPublishRequest& request) {
  return "MQTT broker " + request.host + ":" + std::to_string(request.port);
}

// The library is set up once per process and left for the process's end to clean.
void InitLibrary() {
  static const int initialised = mosquitto_lib_init();
  (void)initialised;
}

class Client {
 public:
  explicit Client(Progress& progress) : m_mosq(mosquitto_new(nullptr, true, &progress)) {
    if (!m_mosq) return;
    mosquitto_connect_callback_set(m_mosq, OnConnect);
    mosquitto_publish_callback_set(m_mosq, OnPublish);
  }
  ~Client() {
    if (m_mosq) mosquitto_destroy(m_mosq);
  }
  Client(const Client&) = delete;
  Client& operator=(const Client&) = delete;
  mosquitto* get() const { return m_mosq; }

 private:
  mosquitto* m_mosq;
};

}  // namespace

Status PublishAndConfirm(const MqttPublishRequest& request) {
  using Clock = std::chrono::steady_clock;
  InitLibrary();
  Progress progress;
  Client client(progress);
  if (!client.get()) return Status::OsFailure("cannot create an MQTT client");
  mosquitto* mosq = client.get();
  const auto deadline = Clock::now() + std::chrono::milliseconds(request.timeoutMs);

  // Asynchronous, so an address that never answers is bounded by the loop's deadline.
  int rc = mosquitto_connect_async(mosq, request.host.c_str(), request.port, 30);
  if (rc != MOSQ_ERR_SUCCESS) {
    std::string reason = rc == MOSQ_ERR_ERRNO ? std::strerror(errno) : mosquitto_strerror(rc);
    return Status::OsFailure(Where(request) + " is unreachable: " + reason);
  }
  bool published = false;
  while (!progress.acknowledged) {
    if (Clock::now() >= deadline) {
      const char* stage = !progress.connected ? "no answer to connecting" : "no acknowledgement of the message";
      mosquitto_disconnect(mosq);
      return Status::OsFailure(Where(request) + ": " + stage + " within " + std::to_string(request.timeoutMs / 1000) +
                               " s (time-out)");
    }
    if (progress.connackCode > 0)
      return Status::OsFailure(Where(request) +
                               " refused the connection: " + mosquitto_connack_string(progress.connackCode));
    if (progress.connected && !published) {
      rc = mosquitto_publish(mosq, &progress.sentId, request.topic.c_str(), static_cast<int>(request.payload.size()),
                             request.payload.data(), 1, false);
      if (rc != MOSQ_ERR_SUCCESS) return Status::OsFailure(Where(request) + ": " + mosquitto_strerror(rc));
      published = true;
    }
    rc = mosquitto_loop(mosq, 100, 1);
    if (rc != MOSQ_ERR_SUCCESS && !progress.acknowledged) {
      std::string reason = rc == MOSQ_ERR_ERRNO ? std::strerror(errno) : mosquitto_strerror(rc);
      return Status::OsFailure(Where(request) + (progress.connected ? ": connection lost: " : " is unreachable: ") +
                               reason);
    }
  }
  mosquitto_disconnect(mosq);
  return {};
}
