#include "gateway/Gateway.h"

#include <QMetaObject>
#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <map>
#include <mutex>
#include <set>

#include "gateway/MessageRequest.h"
#include "gateway/SendQueues.h"
#include "gateway/SignLink.h"
#include "gateway/StateStore.h"

namespace {

constexpr int kPruneIntervalMs = 3600 * 1000;

GatewayTime Now() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

// Signs that share a serial port or a TCP address and port take turns.
std::string LaneOf(const SignConfig& sign) {
  if (sign.transport == SignTransport::kSerial) {
    const std::string& port = sign.serialPort;
    return "serial:" + (port.rfind("/dev/", 0) == 0 ? port.substr(5) : port);
  }
  return "tcp:" + sign.tcpAddress + ":" + std::to_string(sign.tcpPort);
}

GatewayError Unavailable(std::string detail) {
  return {GatewayError::Kind::kUnavailable, "state_database", std::move(detail)};
}

}  // namespace

class Gateway::Impl {
 public:
  struct SignRuntime {
    SignState state;
    SignMetrics metrics;
  };

  // The end of one send, handed from a worker thread to the event loop.
  struct SendResult {
    size_t sign = 0;
    int64_t id = 0;
    SendOutcome outcome;
    GatewayTime ended = 0;
  };

  Impl(GatewayConfig c, std::string dir) : config(std::move(c)), stateDir(std::move(dir)) {
    std::vector<std::string> lanes;
    for (size_t i = 0; i < config.signs.size(); ++i) {
      SignRuntime runtime;
      runtime.state.config = config.signs[i];
      runtime.metrics.sign = config.signs[i].name;
      runtime.metrics.durationBuckets.assign(std::size(kDurationBucketsMs) + 1, 0);
      signs.push_back(std::move(runtime));
      byName.emplace(config.signs[i].name, i);
      lanes.push_back(LaneOf(config.signs[i]));
    }
    queues = std::make_unique<SendQueues>(std::move(lanes), config.queue);
    pool.setMaxThreadCount(config.queue.maxParallel);
    wakeTimer.setSingleShot(true);
    QObject::connect(&wakeTimer, &QTimer::timeout, &context, [this] { Pump(); });
    graceTimer.setSingleShot(true);
    QObject::connect(&graceTimer, &QTimer::timeout, &context, [this] { EndShutdown(); });
    QObject::connect(&pruneTimer, &QTimer::timeout, &context, [this] { Prune(); });
  }

  ~Impl() {
    // The flusher posts to the context object: it stops first.
    store.Close();
    // Sends in flight hold no reference to the database; their results are dropped with
    // the context object, and their messages stay queued for the next start.
    pool.waitForDone();
  }

  Status Start();
  SubmitResult Submit(const SubmitTarget& target, std::string_view body, std::string_view source);
  void Pump();
  void Drain();
  void Prune();
  void Shutdown(ShutdownCallback done);
  void EndShutdown();
  void Launch(const SendQueues::Launch& launch);
  void Finalise(const MessageInfo& info);
  void Notify(const std::set<size_t>& changed);
  SignState StateOf(size_t sign) const;
  void PostPump();
  void Flushed(uint64_t ticket, const Status& status);
  void Report(const Status& status) const {
    if (!status.ok()) std::fprintf(stderr, "marquee-gateway: %s\n", status.message().c_str());
  }

  GatewayConfig config;
  std::string stateDir;
  StateStore store;
  std::unique_ptr<SendQueues> queues;
  std::vector<SignRuntime> signs;
  std::map<std::string, size_t, std::less<>> byName;
  std::map<int64_t, MessageInfo> live;  // queued or in flight

  std::map<std::string, std::map<uint64_t, FinishedCallback>, std::less<>> waiters;
  std::map<uint64_t, std::string> waitOwners;
  std::map<uint64_t, std::function<void(const SignState&)>> subscribers;
  // WhenStored callbacks by the flush ticket they wait for.
  std::multimap<uint64_t, std::function<void(const Status&)>> storedWaiters;
  uint64_t lastTicket = 0;     // of the last submission
  uint64_t flushedTicket = 0;  // the last ticket on the disk (or failed)
  uint64_t nextHandle = 1;

  bool accepting = false;
  bool pumpPosted = false;
  ShutdownCallback shutdownDone;

  std::mutex resultsMutex;
  std::vector<SendResult> results;  // guarded by resultsMutex
  bool drainPosted = false;         // guarded by resultsMutex

  QObject context;  // receives what the workers post; declared before the pool, so it outlives it
  QTimer wakeTimer;
  QTimer graceTimer;
  QTimer pruneTimer;
  QThreadPool pool;
};

SignState Gateway::Impl::StateOf(size_t sign) const {
  SignState state = signs[sign].state;
  state.queueLength = queues->Depth(sign);
  return state;
}

Status Gateway::Impl::Start() {
  auto flushed = [this](uint64_t ticket, const Status& status) {
    QMetaObject::invokeMethod(
        &context, [this, ticket, status] { Flushed(ticket, status); }, Qt::QueuedConnection);
  };
  if (Status opened = store.Open(stateDir, flushed); !opened.ok()) return opened;
  Status status;
  for (SignRecord& record : store.LoadSignRecords(status)) {
    auto it = byName.find(record.sign);
    if (it == byName.end()) continue;
    SignState& state = signs[it->second].state;
    state.currentMessageId = std::move(record.messageId);
    state.currentCommand = std::move(record.command);
    state.lastResult = std::move(record.lastResult);
    state.lastError = std::move(record.lastError);
    state.lastSuccess = record.lastSuccess;
  }
  if (!status.ok()) return status;

  std::vector<MessageInfo> pending = store.LoadPending(status);
  if (!status.ok()) return status;
  std::vector<MessageUpdate> orphans;
  const GatewayTime now = Now();
  for (MessageInfo& m : pending) {
    auto it = byName.find(m.sign);
    if (it == byName.end()) {
      m.state = MessageState::kFailed;
      m.error = "sign \"" + m.sign + "\" is no longer configured";
      m.updated = now;
      orphans.push_back({m, LogRow{0, now, m.id, m.source, m.sign, m.command, "failed", m.error, 0, m.attempts}});
      continue;
    }
    const int64_t id = std::stoll(m.id);
    queues->Add(it->second, {id, m.created, m.expires, 0, m.attempts}, false);
    live.emplace(id, std::move(m));
  }
  if (Status applied = store.Apply(orphans, {}); !applied.ok()) return applied;
  Prune();
  pruneTimer.start(kPruneIntervalMs);
  accepting = true;
  Pump();
  return {};
}

SubmitResult Gateway::Impl::Submit(const SubmitTarget& target, std::string_view body, std::string_view source) {
  SubmitResult result;
  if (!accepting) {
    result.error = GatewayError{GatewayError::Kind::kUnavailable, "shutting_down", "the gateway is not accepting"};
    return result;
  }
  std::vector<size_t> targets;
  if (target.kind == SubmitTarget::Kind::kSign) {
    auto it = byName.find(target.name);
    if (it == byName.end()) {
      result.error = GatewayError{GatewayError::Kind::kNotFound, "unknown_sign", "no sign \"" + target.name + "\""};
      return result;
    }
    targets.push_back(it->second);
  } else {
    for (size_t i = 0; i < signs.size(); ++i) {
      const auto& tags = signs[i].state.config.tags;
      if (std::find(tags.begin(), tags.end(), target.name) != tags.end()) targets.push_back(i);
    }
    if (targets.empty()) {
      result.error =
          GatewayError{GatewayError::Kind::kNotFound, "unknown_tag", "no sign has tag \"" + target.name + "\""};
      return result;
    }
  }
  const GatewayTime now = Now();
  MessageRequestParse parsed = ParseMessageRequest(body, now);
  if (parsed.error) {
    result.error = std::move(parsed.error);
    return result;
  }
  const MessageRequest& request = parsed.request;
  const bool supersede = request.supersede.value_or(config.queue.supersede);

  for (size_t sign : targets)
    if (std::optional<GatewayError> refused = CheckForSign(request, signs[sign].state.config)) {
      result.error = std::move(refused);
      return result;
    }
  std::vector<MessageInfo> fresh;
  std::vector<MessageUpdate> superseded;
  for (size_t sign : targets) {
    MessageInfo m;
    m.sign = signs[sign].state.config.name;
    m.source = std::string(source);
    m.command = CommandForSign(request, signs[sign].state.config);
    m.created = m.updated = now;
    m.expires = request.expires;
    fresh.push_back(std::move(m));
    if (!supersede) continue;
    for (int64_t id : queues->Replaceable(sign)) {
      MessageInfo old = live.at(id);
      old.state = MessageState::kSuperseded;
      old.updated = now;
      superseded.push_back(
          {old, LogRow{0, now, old.id, old.source, old.sign, old.command, "superseded", "", 0, old.attempts}});
    }
  }
  if (Status stored = store.Insert(fresh, superseded); !stored.ok()) {
    Report(stored);
    result.error = Unavailable(stored.message());
    return result;
  }
  lastTicket = store.Flush();
  std::set<size_t> changed;
  for (size_t i = 0; i < targets.size(); ++i) {
    const int64_t id = std::stoll(fresh[i].id);
    queues->Add(targets[i], {id, now, request.expires, 0, 0}, supersede);
    result.accepted.push_back({fresh[i].id, fresh[i].sign, fresh[i].command});
    live.emplace(id, std::move(fresh[i]));
    changed.insert(targets[i]);
  }
  for (const MessageUpdate& u : superseded) Finalise(u.info);
  Notify(changed);
  PostPump();
  return result;
}

void Gateway::Impl::Flushed(uint64_t ticket, const Status& status) {
  flushedTicket = std::max(flushedTicket, ticket);
  if (!status.ok()) Report(status);
  // A callback may submit again and so add waiters: take out the due ones first.
  std::vector<std::function<void(const Status&)>> due;
  const auto end = storedWaiters.upper_bound(ticket);
  for (auto it = storedWaiters.begin(); it != end; ++it) due.push_back(std::move(it->second));
  storedWaiters.erase(storedWaiters.begin(), end);
  for (const auto& done : due) done(status);
}

void Gateway::Impl::PostPump() {
  if (pumpPosted) return;
  pumpPosted = true;
  QMetaObject::invokeMethod(
      &context, [this] { Pump(); }, Qt::QueuedConnection);
}

void Gateway::Impl::Finalise(const MessageInfo& info) {
  live.erase(std::stoll(info.id));
  auto it = waiters.find(info.id);
  if (it == waiters.end()) return;
  std::map<uint64_t, FinishedCallback> callbacks = std::move(it->second);
  waiters.erase(it);
  for (auto& [handle, callback] : callbacks) {
    waitOwners.erase(handle);
    callback(info);
  }
}

void Gateway::Impl::Notify(const std::set<size_t>& changed) {
  if (subscribers.empty()) return;
  for (size_t sign : changed) {
    const SignState state = StateOf(sign);
    // A subscriber may unsubscribe from inside its call.
    std::vector<std::function<void(const SignState&)>> calls;
    for (const auto& [handle, call] : subscribers) calls.push_back(call);
    for (const auto& call : calls) call(state);
  }
}

void Gateway::Impl::Pump() {
  pumpPosted = false;
  const GatewayTime now = Now();
  std::set<size_t> changed;

  std::vector<MessageUpdate> dropped;
  for (const SendQueues::Drop& drop : queues->DropStale(now)) {
    MessageInfo info = live.at(drop.id);
    info.state = drop.state;
    info.updated = now;
    if (drop.state == MessageState::kFailed)
      info.error = "not sent within " + std::to_string(config.queue.maxAgeSeconds) + " s" +
                   (info.error.empty() ? "" : ": " + info.error);
    const std::string result(MessageStateName(drop.state));
    dropped.push_back(
        {info, LogRow{0, now, info.id, info.source, info.sign, info.command, result, info.error, 0, info.attempts}});
    changed.insert(drop.sign);
  }
  if (!dropped.empty()) {
    Report(store.Apply(dropped, {}));
    for (const MessageUpdate& u : dropped) Finalise(u.info);
  }

  if (accepting) {
    for (const SendQueues::Launch& launch :
         queues->TakeReady(now, config.queue.maxParallel - queues->InFlightTotal())) {
      Launch(launch);
      changed.insert(launch.sign);
    }
  }
  Notify(changed);

  if (std::optional<GatewayTime> wake = queues->NextWake(now))
    wakeTimer.start(static_cast<int>(std::clamp<int64_t>(*wake - now, 0, 24 * 3600 * 1000)));
  else
    wakeTimer.stop();
}

void Gateway::Impl::Launch(const SendQueues::Launch& launch) {
  MessageInfo& info = live.at(launch.entry.id);
  info.state = MessageState::kSending;
  info.attempts = launch.entry.attempts;
  if (info.attempts > 1) ++signs[launch.sign].metrics.retries;
  SendResult job{launch.sign, launch.entry.id, {}, 0};
  SignConfig sign = signs[launch.sign].state.config;
  std::string command = info.command;
  pool.start([this, job, sign = std::move(sign), command = std::move(command)]() mutable {
    job.outcome = SendToSign(sign, command);
    job.ended = Now();
    std::lock_guard lock(resultsMutex);
    results.push_back(std::move(job));
    if (drainPosted) return;
    drainPosted = true;
    QMetaObject::invokeMethod(
        &context, [this] { Drain(); }, Qt::QueuedConnection);
  });
}

void Gateway::Impl::Drain() {
  std::vector<SendResult> batch;
  {
    std::lock_guard lock(resultsMutex);
    batch.swap(results);
    drainPosted = false;
  }
  std::vector<MessageUpdate> updates;
  std::map<size_t, SignRecord> records;
  std::vector<MessageInfo> finals;
  std::set<size_t> changed;
  for (SendResult& r : batch) {
    const SendQueues::Finished finished = queues->Finish(r.sign, r.outcome.sent, r.ended);
    MessageInfo& info = live.at(r.id);
    SignRuntime& runtime = signs[r.sign];
    SignState& state = runtime.state;
    SignMetrics& metrics = runtime.metrics;

    info.updated = r.ended;
    info.attempts = finished.attempts;
    info.error = r.outcome.error;
    info.state = r.outcome.sent ? MessageState::kSent : (finished.done ? MessageState::kFailed : MessageState::kQueued);
    state.lastResult = r.outcome.sent ? "sent" : "failed";
    state.lastError = r.outcome.error;
    if (r.outcome.sent) {
      state.currentMessageId = info.id;
      state.currentCommand = info.command;
      state.lastSuccess = r.ended;
      ++metrics.sends;
    } else {
      ++metrics.failures;
    }
    const auto bucket =
        std::lower_bound(std::begin(kDurationBucketsMs), std::end(kDurationBucketsMs), r.outcome.durationMs) -
        std::begin(kDurationBucketsMs);
    ++metrics.durationBuckets[static_cast<size_t>(bucket)];
    metrics.durationSumSeconds += static_cast<double>(r.outcome.durationMs) / 1000.0;

    updates.push_back({info, LogRow{0, r.ended, info.id, info.source, info.sign, info.command, state.lastResult,
                                    r.outcome.error, r.outcome.durationMs, finished.attempts}});
    records[r.sign] = {state.config.name, state.currentMessageId, state.currentCommand,
                       state.lastResult,  state.lastError,        state.lastSuccess};
    if (IsFinalState(info.state)) finals.push_back(info);
    changed.insert(r.sign);
  }
  std::vector<SignRecord> signRecords;
  for (auto& [sign, record] : records) signRecords.push_back(std::move(record));
  Report(store.Apply(updates, signRecords));
  for (const MessageInfo& info : finals) Finalise(info);
  Notify(changed);
  if (shutdownDone && queues->InFlightTotal() == 0)
    EndShutdown();
  else
    Pump();
}

void Gateway::Impl::Prune() {
  Report(store.Prune(config.log, Now()));
}

void Gateway::Impl::Shutdown(ShutdownCallback done) {
  accepting = false;
  wakeTimer.stop();
  pruneTimer.stop();
  shutdownDone = std::move(done);
  if (queues->InFlightTotal() == 0) {
    QMetaObject::invokeMethod(
        &context, [this] { EndShutdown(); }, Qt::QueuedConnection);
    return;
  }
  graceTimer.start(config.queue.shutdownGraceSeconds * 1000);
}

void Gateway::Impl::EndShutdown() {
  graceTimer.stop();
  if (!shutdownDone) return;
  ShutdownCallback done = std::move(shutdownDone);
  shutdownDone = nullptr;
  done();
}

Gateway::Gateway(GatewayConfig config, std::string stateDir)
    : m_impl(std::make_unique<Impl>(std::move(config), std::move(stateDir))) {}

Gateway::~Gateway() = default;

Status Gateway::Start() {
  return m_impl->Start();
}

const GatewayConfig& Gateway::config() const {
  return m_impl->config;
}

bool Gateway::Accepting() const {
  return m_impl->accepting;
}

std::vector<SignState> Gateway::Signs() const {
  std::vector<SignState> all;
  for (size_t i = 0; i < m_impl->signs.size(); ++i) all.push_back(m_impl->StateOf(i));
  return all;
}

std::optional<SignState> Gateway::Sign(std::string_view name) const {
  auto it = m_impl->byName.find(name);
  if (it == m_impl->byName.end()) return std::nullopt;
  return m_impl->StateOf(it->second);
}

SubmitResult Gateway::Submit(const SubmitTarget& target, std::string_view body, std::string_view source) {
  return m_impl->Submit(target, body, source);
}

void Gateway::WhenStored(std::function<void(const Status&)> done) {
  if (m_impl->lastTicket <= m_impl->flushedTicket) {
    done({});
    return;
  }
  m_impl->storedWaiters.emplace(m_impl->lastTicket, std::move(done));
}

std::optional<MessageInfo> Gateway::Message(std::string_view id) const {
  int64_t number = 0;
  const auto [end, error] = std::from_chars(id.data(), id.data() + id.size(), number);
  if (error == std::errc() && end == id.data() + id.size())
    if (auto it = m_impl->live.find(number); it != m_impl->live.end()) return it->second;
  return m_impl->store.FindMessage(id);
}

std::vector<LogRow> Gateway::Log(const LogQuery& query) const {
  return m_impl->store.QueryLog(query);
}

uint64_t Gateway::WhenFinished(std::string_view id, FinishedCallback done) {
  std::optional<MessageInfo> info = Message(id);
  if (!info) return 0;
  const uint64_t handle = m_impl->nextHandle++;
  if (IsFinalState(info->state)) {
    done(*info);
    return handle;
  }
  m_impl->waiters[info->id].emplace(handle, std::move(done));
  m_impl->waitOwners.emplace(handle, info->id);
  return handle;
}

void Gateway::CancelWait(uint64_t handle) {
  auto owner = m_impl->waitOwners.find(handle);
  if (owner == m_impl->waitOwners.end()) return;
  if (auto it = m_impl->waiters.find(owner->second); it != m_impl->waiters.end()) {
    it->second.erase(handle);
    if (it->second.empty()) m_impl->waiters.erase(it);
  }
  m_impl->waitOwners.erase(owner);
}

std::vector<SignMetrics> Gateway::Metrics() const {
  std::vector<SignMetrics> all;
  for (size_t i = 0; i < m_impl->signs.size(); ++i) {
    all.push_back(m_impl->signs[i].metrics);
    all.back().queueDepth = m_impl->queues->Depth(i);
  }
  return all;
}

uint64_t Gateway::SubscribeSignChanges(std::function<void(const SignState&)> changed) {
  const uint64_t handle = m_impl->nextHandle++;
  m_impl->subscribers.emplace(handle, std::move(changed));
  return handle;
}

void Gateway::Unsubscribe(uint64_t handle) {
  m_impl->subscribers.erase(handle);
}

void Gateway::Shutdown(ShutdownCallback done) {
  m_impl->Shutdown(std::move(done));
}
