#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "live/Schedule.h"

// The gateway's configuration as read from its TOML file (see ConfigFile.h). Plain values,
// no Qt; every field holds its default until the file says otherwise.

inline constexpr const char* kDefaultConfigPath = "/etc/ferromarquee/gateway.toml";
inline constexpr const char* kDefaultStateDir = "/var/lib/ferromarquee";

enum class SignTransport {
  kTcp,     // tcpAddress:tcpPort, one connection per send
  kSerial,  // serialPort at baud, 8N1, one send at a time per port
};

// One sign of the fleet.
struct SignConfig {
  std::string name;  // unique in the fleet; letters, digits, '-', '_', '.'
  SignTransport transport = SignTransport::kTcp;
  std::string tcpAddress;  // dotted IPv4
  uint16_t tcpPort = 49999;
  std::string serialPort;  // ttyUSB0 or /dev/ttyUSB0
  int baud = 9600;         // 9600 or 38400
  int group = 0;           // the sign's own address, put in front of its messages as ^A
  int unit = 0;            // 0: the sign is addressed by its group alone
  int model = 0;           // index into kMarqueeModels (0-13)
  std::vector<std::string> tags;
  std::string origin;  // where it was defined: "FILE:LINE" or "BOOK: entry NAME"
};

// The queues and their retries. Times in milliseconds or seconds as named.
struct QueueConfig {
  int retryAttempts = 10;         // sends of one message at most, the first included
  int maxAgeSeconds = 3600;       // a message not sent by then fails
  int backoffInitialMs = 1000;    // first pause after a failed connect, doubled each time
  int backoffMaxMs = 60000;       // the pause never grows beyond this
  int maxParallel = 64;           // sends in flight at once across the fleet
  bool supersede = true;          // a new message replaces the queued ones of its sign
  int shutdownGraceSeconds = 10;  // how long SIGTERM waits for sends in flight
};

// The send log's retention; rows beyond either bound are deleted.
struct LogConfig {
  int retentionDays = 30;
  int64_t maxRows = 1000000;
};

// Read here for the HTTP side; the engine does not use it.
struct HttpConfig {
  std::string listen = "127.0.0.1:8080";  // HOST:PORT
  std::string token;                      // bearer token for writes; empty: none set
  std::vector<std::string> cors;          // allowed origins; empty: no CORS headers
  int64_t maxBodyBytes = 65536;
};

// The MQTT side; off unless the file has an [mqtt] table.
struct MqttConfig {
  bool enabled = false;
  std::string host = "127.0.0.1";
  uint16_t port = 1883;
  std::string clientId = "marquee-gateway";  // also the gateway's id in its topics
  std::string username;
  std::string password;
  std::string caFile;  // set: TLS
  std::string certFile;
  std::string keyFile;
  std::string prefix = "marquee";
  int qos = 1;
  bool discovery = false;  // Home Assistant MQTT discovery
  std::string discoveryPrefix = "homeassistant";
};

// Live messages: schedule entries from the file, and how often a template may be resent.
struct LiveConfig {
  int refreshIntervalMs = 2000;
  std::vector<ScheduleEntry> schedules;  // replaced by those set over the API, once set
};

struct GatewayConfig {
  std::string path;               // the file read
  std::string addressBook;        // address book file whose entries became signs; empty: none
  std::vector<SignConfig> signs;  // the [[signs]] tables first, then the address book's
  QueueConfig queue;
  LogConfig log;
  HttpConfig http;
  MqttConfig mqtt;
  LiveConfig live;
};
