#pragma once

// The gateway engine as its front ends (HTTP, MQTT, schedules) see it. No Qt in this header.
//
// How a front end uses it:
//   - main() builds one Gateway from the loaded GatewayConfig and the state folder, calls
//     Start(), then runs the Qt event loop. Every member function is called on that thread,
//     and every callback arrives on it; nothing here blocks on a sign.
//   - GET /signs, /signs/{name}: Signs(), Sign(name); config()->http for the listener.
//   - POST /signs/{name}/messages, /tags/{tag}/messages: Submit() with the request body as
//     is; on an error answer its HttpStatus() with {"error": error.error, "detail":
//     error.detail}; else WhenStored(), and there answer 202 with every
//     SubmitResult::accepted entry (or 503 when the disk failed). A message is written
//     before Submit() returns, so a killed process keeps it; WhenStored() follows once it
//     is on the disk, which a power cut cannot undo. Submissions that come together share
//     that wait.
//   - ?wait=SECONDS: WhenFinished(id, callback) per accepted id and a timer of one's own;
//     on time-out CancelWait() and answer with Message(id). Sent -> 200, failed -> 502.
//   - GET /messages/{id}: Message(id). GET /log: Log(query).
//   - GET /signs/{name}/preview.png: Sign(name)->currentCommand and ->model.
//   - /metrics: Metrics(). /healthz: Accepting().
//   - Live state (MQTT retained topics, page refresh): SubscribeSignChanges().
//   - Command strings (AcceptedMessage, MessageInfo, SignState, LogRow) are the sign's
//     Windows-1252 bytes: CodePageToUtf8 (common/CodePage.h) before they go into JSON.
//   - SIGTERM: Shutdown(done); quit the event loop in done.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Status.h"
#include "gateway/GatewayConfig.h"

// Times are milliseconds since the Unix epoch (UTC).
using GatewayTime = int64_t;

enum class MessageState {
  kQueued,      // stored, waiting for its turn or its next attempt
  kSending,     // a send is in flight
  kSent,        // the sign took the whole command string
  kFailed,      // attempts or age used up, or a failure that a retry cannot mend
  kSuperseded,  // a newer message for the sign replaced it before it was sent
  kExpired,     // its expiry time came before it was sent
};

// "queued", "sending", "sent", "failed", "superseded", "expired".
std::string_view MessageStateName(MessageState state);
// True for the states a message never leaves.
bool IsFinalState(MessageState state);

// An error for the service edge: turned into {"error": error, "detail": detail}.
struct GatewayError {
  enum class Kind {
    kBadRequest,     // malformed JSON, unknown field, value out of range
    kNotFound,       // no such sign, tag or message
    kUnprocessable,  // the message would be lost or cut on the sign and "force" was not set
    kUnavailable,    // shutting down, or the state database failed
  };
  Kind kind = Kind::kBadRequest;
  std::string error;   // short, stable: "bad_json", "unknown_field", "unknown_sign", ...
  std::string detail;  // for a person: what was wrong, with the field name

  // 400, 404, 422, 503.
  int HttpStatus() const;
};

struct MessageInfo {
  std::string id;
  std::string sign;
  std::string source;   // who submitted it: "http", "mqtt", "schedule", ...
  std::string command;  // the exact bytes sent to the sign, its ^A address in front
  MessageState state = MessageState::kQueued;
  int attempts = 0;   // sends tried so far
  std::string error;  // the link's text of the last failure; empty when none
  GatewayTime created = 0;
  GatewayTime updated = 0;
  std::optional<GatewayTime> expires;
};

// One sign as configured, with what the engine knows of it.
struct SignState {
  SignConfig config;
  std::string currentMessageId;  // the message last sent to it; empty when none yet
  std::string currentCommand;    // that message's command string
  std::string lastResult;        // "sent" or "failed" of the last attempt; empty before one
  std::string lastError;         // the link's text of the last failed attempt
  std::optional<GatewayTime> lastSuccess;
  int queueLength = 0;  // messages queued or being sent
};

// A message accepted for one sign.
struct AcceptedMessage {
  std::string id;
  std::string sign;
  std::string command;
};

struct SubmitResult {
  std::vector<AcceptedMessage> accepted;  // one per sign, in config order; empty on error
  std::optional<GatewayError> error;      // set: nothing was stored

  bool ok() const { return !error.has_value(); }
};

// Whom a submission addresses: one sign by name, or every sign carrying a tag.
struct SubmitTarget {
  enum class Kind { kSign, kTag };
  Kind kind = Kind::kSign;
  std::string name;
};

struct LogQuery {
  std::string sign;                  // empty: every sign
  std::optional<GatewayTime> since;  // rows at or after this time
  int limit = 100;                   // newest first; at most kMaxLogLimit
};
inline constexpr int kMaxLogLimit = 1000;

// One send attempt.
struct LogRow {
  int64_t id = 0;
  GatewayTime time = 0;  // when the attempt ended
  std::string messageId;
  std::string source;
  std::string sign;
  std::string command;
  std::string result;  // "sent", "failed", "superseded", "expired"
  std::string error;
  int64_t durationMs = 0;
  int attempt = 0;
};

// Counters since start, for /metrics.
struct SignMetrics {
  std::string sign;
  uint64_t sends = 0;     // attempts that reached the sign whole
  uint64_t failures = 0;  // attempts that failed
  uint64_t retries = 0;   // attempts after the first of a message
  int queueDepth = 0;
  // Send durations: counts per upper bound of kDurationBucketsMs, plus one for longer;
  // not cumulative.
  std::vector<uint64_t> durationBuckets;
  double durationSumSeconds = 0;
};
inline constexpr int64_t kDurationBucketsMs[] = {5, 10, 25, 50, 100, 250, 500, 1000, 2500, 5000, 10000};

class Gateway {
 public:
  using FinishedCallback = std::function<void(const MessageInfo&)>;
  using ShutdownCallback = std::function<void()>;

  // The config is kept; stateDir holds gateway.db. Nothing is opened until Start().
  Gateway(GatewayConfig config, std::string stateDir);
  ~Gateway();
  Gateway(const Gateway&) = delete;
  Gateway& operator=(const Gateway&) = delete;

  // Opens (or creates) the state database and sends what an earlier run left queued.
  // OsFailure naming the file when the database cannot be opened or written.
  Status Start();

  const GatewayConfig& config() const;
  // False before Start() and once Shutdown() was called.
  bool Accepting() const;

  std::vector<SignState> Signs() const;
  std::optional<SignState> Sign(std::string_view name) const;

  // body: the message JSON ({"raw": "..."} or the decoded form; see MessageRequest.h),
  // with the optional "force", "supersede", "expires" (seconds from now, or an ISO 8601
  // time). Runs the pre-send checks for every target sign's model before storing
  // anything, so an error stores nothing.
  SubmitResult Submit(const SubmitTarget& target, std::string_view body, std::string_view source);

  // Calls done (on the event loop) once every message submitted so far is on the disk, or
  // with the failure that kept it from getting there; at once, before returning, when
  // nothing is waiting for the disk.
  void WhenStored(std::function<void(const Status&)> done);

  std::optional<MessageInfo> Message(std::string_view id) const;
  std::vector<LogRow> Log(const LogQuery& query) const;

  // Calls done once when the message reaches a final state (at once, before returning, when
  // it already has). Returns a handle for CancelWait; 0 when no such message exists (done
  // is not called).
  uint64_t WhenFinished(std::string_view id, FinishedCallback done);
  void CancelWait(uint64_t handle);

  std::vector<SignMetrics> Metrics() const;

  // Calls changed (on the event loop) after any change of a sign's SignState: a message
  // queued, a send begun or ended. For retained state topics and live pages. Returns a
  // handle for Unsubscribe.
  uint64_t SubscribeSignChanges(std::function<void(const SignState&)> changed);
  void Unsubscribe(uint64_t handle);

  // Stops accepting, lets sends in flight finish (at most queue.shutdownGraceSeconds),
  // keeps everything else queued for the next start, then calls done.
  void Shutdown(ShutdownCallback done);

 private:
  class Impl;
  std::unique_ptr<Impl> m_impl;
};
