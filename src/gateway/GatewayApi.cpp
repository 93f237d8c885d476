#include "gateway/GatewayApi.h"

#include "gateway/ScheduleJson.h"
#include "message/MessageJson.h"

#include <QTimer>
#include <algorithm>
#include <charconv>
#include <memory>
#include <set>

#include "gateway/ApiJson.h"
#include "gateway/MetricsText.h"
#include "gateway/PreviewPng.h"

namespace {

// The query keys a handler takes; any other is refused, as unknown JSON fields are.
std::optional<HttpReply> OnlyKeys(const QUrlQuery& query, std::initializer_list<const char*> keys) {
  for (const auto& [key, value] : query.queryItems(QUrl::FullyDecoded)) {
    bool known = false;
    for (const char* allowed : keys) known = known || key == QLatin1String(allowed);
    if (!known)
      return HttpReply::Error(400, "unknown_parameter", "unknown query parameter \"" + key.toStdString() + "\"");
  }
  return std::nullopt;
}

// An integer query value in [minimum, maximum]; fallback when absent; an error otherwise.
std::optional<HttpReply> QueryInt(const QUrlQuery& query, const char* key, int minimum, int maximum, int& value) {
  if (!query.hasQueryItem(key)) return std::nullopt;
  const std::string text = query.queryItemValue(key, QUrl::FullyDecoded).toStdString();
  int parsed = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || parsed < minimum || parsed > maximum)
    return HttpReply::Error(400, "out_of_range",
                            std::string(key) + " must be a whole number from " + std::to_string(minimum) + " to " +
                                std::to_string(maximum));
  value = parsed;
  return std::nullopt;
}

HttpReply UnknownSign(const std::string& name) {
  return HttpReply::Error(404, "unknown_sign", "no sign is named \"" + name + "\"");
}

HttpReply FromError(const GatewayError& error) {
  return HttpReply::Error(error.HttpStatus(), error.error, error.detail);
}

// Collects the final states of the messages of one submission for ?wait=.
struct Waiting {
  std::vector<AcceptedMessage> accepted;
  std::vector<std::optional<MessageInfo>> finished;
  std::vector<uint64_t> handles;
  size_t left = 0;
  std::function<void(HttpReply)> answer;
  QTimer timer;
};

nlohmann::json WaitResult(Gateway& gateway, const Waiting& waiting, bool& allSent) {
  nlohmann::json messages = nlohmann::json::array();
  allSent = true;
  for (size_t i = 0; i < waiting.accepted.size(); ++i) {
    std::optional<MessageInfo> info =
        waiting.finished[i] ? waiting.finished[i] : gateway.Message(waiting.accepted[i].id);
    nlohmann::json entry = AcceptedJson(waiting.accepted[i]);
    entry["state"] = info ? MessageStateName(info->state) : std::string_view("queued");
    entry["attempts"] = info ? info->attempts : 0;
    entry["error"] = info ? info->error : "";
    allSent = allSent && info && info->state == MessageState::kSent;
    messages.push_back(std::move(entry));
  }
  return {{"messages", messages}};
}

nlohmann::json AcceptedBody(const LiveSigns::Submission& submission) {
  nlohmann::json messages = nlohmann::json::array();
  for (const AcceptedMessage& accepted : submission.result.accepted) {
    nlohmann::json entry = AcceptedJson(accepted);
    entry["state"] = "queued";
    messages.push_back(std::move(entry));
  }
  nlohmann::json body = {{"messages", messages}};
  if (!submission.held.empty()) body["held"] = submission.held;
  return body;
}

// Answers when every message is final or the wait is over, whichever comes first.
void AnswerWhenFinished(Gateway& gateway, const std::vector<AcceptedMessage>& accepted, int wait,
                        const std::function<void(HttpReply)>& answer) {
  auto waiting = std::make_shared<Waiting>();
  waiting->accepted = accepted;
  waiting->finished.resize(accepted.size());
  waiting->left = accepted.size();
  waiting->answer = answer;
  auto finish = [&gateway, weak = std::weak_ptr<Waiting>(waiting)](bool timedOut) {
    const std::shared_ptr<Waiting> w = weak.lock();
    if (!w || !w->answer) return;
    w->timer.stop();
    for (uint64_t handle : w->handles)
      if (handle != 0) gateway.CancelWait(handle);
    bool allSent = false;
    nlohmann::json body = WaitResult(gateway, *w, allSent);
    const std::function<void(HttpReply)> reply = std::move(w->answer);
    w->answer = nullptr;
    reply(HttpReply::Json(timedOut ? 202 : allSent ? 200 : 502, body));
    // The timer's slot holds the last reference; dropping it frees the wait.
    QObject::disconnect(&w->timer, nullptr, nullptr, nullptr);
  };
  waiting->timer.setSingleShot(true);
  QObject::connect(&waiting->timer, &QTimer::timeout, [finish, keep = waiting] { finish(true); });
  for (size_t i = 0; i < accepted.size(); ++i) {
    const uint64_t handle = gateway.WhenFinished(
        accepted[i].id, [i, finish, weak = std::weak_ptr<Waiting>(waiting)](const MessageInfo& info) {
          const std::shared_ptr<Waiting> w = weak.lock();
          if (!w || w->finished[i]) return;
          w->finished[i] = info;
          if (--w->left == 0) finish(false);
        });
    waiting->handles.push_back(handle);
    if (!waiting->answer) return;  // everything was final at once
  }
  waiting->timer.start(wait * 1000);
}

}  // namespace

std::optional<HttpReply> GatewayApi::Signs(const ApiRequest& request) {
  if (auto refused = OnlyKeys(request.query, {"tag"})) return refused;
  const std::string tag = request.query.queryItemValue("tag", QUrl::FullyDecoded).toStdString();
  nlohmann::json signs = nlohmann::json::array();
  for (const SignState& sign : m_gateway.Signs()) {
    if (!tag.empty() && std::find(sign.config.tags.begin(), sign.config.tags.end(), tag) == sign.config.tags.end())
      continue;
    signs.push_back(SignJson(sign));
  }
  return HttpReply::Json(200, {{"signs", signs}});
}

std::optional<HttpReply> GatewayApi::Sign(const ApiRequest& request) {
  if (auto refused = OnlyKeys(request.query, {})) return refused;
  const std::optional<SignState> sign = m_gateway.Sign(request.params[0]);
  if (!sign) return UnknownSign(request.params[0]);
  nlohmann::json body = SignJson(*sign);
  body["active"] = m_live.Active(sign->config.name);
  if (std::string owner = m_live.OwnerOf(sign->config.name); !owner.empty()) body["driven_by"] = owner;
  return HttpReply::Json(200, body);
}

std::optional<HttpReply> GatewayApi::Variables(const ApiRequest& request) {
  if (auto refused = OnlyKeys(request.query, {})) return refused;
  nlohmann::json values = nlohmann::json::object();
  for (const auto& [name, value] : m_live.Variables()) values[name] = value;
  return HttpReply::Json(200, {{"vars", values}});
}

std::optional<HttpReply> GatewayApi::PutVariable(const ApiRequest& request) {
  if (auto refused = OnlyKeys(request.query, {})) return refused;
  JsonDocument document = ParseJsonStrictly(std::string_view(request.body.constData(), size_t(request.body.size())), 2);
  if (!document.status.ok()) return HttpReply::Error(400, "bad_json", document.status.message());
  const nlohmann::json& body = document.value;
  if (!body.is_object() || body.size() != 1 || !body.contains("value") ||
      !(body["value"].is_string() || body["value"].is_number())) {
    return HttpReply::Error(400, "bad_value", "the body must be {\"value\": TEXT or NUMBER}");
  }
  std::string value = body["value"].is_string() ? body["value"].get<std::string>() : body["value"].dump();
  if (Status set = m_live.SetVariable(request.params[0], value); !set.ok()) {
    return HttpReply::Error(set.errorClass() == ErrorClass::OsFailure ? 503 : 400, "bad_value", set.message());
  }
  return HttpReply::Json(200, {{"name", request.params[0]}, {"value", value}});
}

std::optional<HttpReply> GatewayApi::Schedules(const ApiRequest& request) {
  if (auto refused = OnlyKeys(request.query, {})) return refused;
  return HttpReply::Json(200, {{"schedules", nlohmann::json::parse(SchedulesToJson(m_live.Schedules()))}});
}

std::optional<HttpReply> GatewayApi::PutSchedules(const ApiRequest& request) {
  if (auto refused = OnlyKeys(request.query, {})) return refused;
  std::vector<ScheduleEntry> entries;
  Status read = SchedulesFromJson(std::string_view(request.body.constData(), size_t(request.body.size())), entries);
  if (!read.ok()) return HttpReply::Error(400, "bad_schedule", read.message());
  if (Status set = m_live.SetSchedules(std::move(entries)); !set.ok()) {
    return HttpReply::Error(set.errorClass() == ErrorClass::OsFailure ? 503 : 400, "bad_schedule", set.message());
  }
  return Schedules(request);
}

std::optional<HttpReply> GatewayApi::CancelMessage(const ApiRequest& request) {
  if (auto refused = OnlyKeys(request.query, {})) return refused;
  if (!m_live.CancelInterrupt(request.params[0])) {
    return HttpReply::Error(404, "unknown_interrupt", "no interrupt has the id \"" + request.params[0] + "\"");
  }
  return HttpReply::Json(200, {{"id", request.params[0]}, {"state", "cancelled"}});
}

std::optional<HttpReply> GatewayApi::PostToSign(const ApiRequest& request) {
  return Post(request, {SubmitTarget::Kind::kSign, request.params[0]});
}

std::optional<HttpReply> GatewayApi::PostToTag(const ApiRequest& request) {
  return Post(request, {SubmitTarget::Kind::kTag, request.params[0]});
}

std::optional<HttpReply> GatewayApi::Post(const ApiRequest& request, SubmitTarget target) {
  if (auto refused = OnlyKeys(request.query, {"wait"})) return refused;
  int wait = 0;
  if (auto refused = QueryInt(request.query, "wait", 0, kMaxWaitSeconds, wait)) return refused;
  const LiveSigns::Submission submission = m_live.Submit(
      target, std::string_view(request.body.constData(), static_cast<size_t>(request.body.size())), "http");
  if (!submission.result.ok()) return FromError(*submission.result.error);

  // Every answer from here on says the message is kept: it waits until the disk has it.
  const bool waits = request.query.hasQueryItem("wait");
  m_gateway.WhenStored([&gateway = m_gateway, submission, waits, wait, answer = request.defer()](const Status& stored) {
    if (!stored.ok())
      answer(HttpReply::Error(503, "state_database", stored.message()));
    else if (!waits)
      answer(HttpReply::Json(202, AcceptedBody(submission)));
    else
      AnswerWhenFinished(gateway, submission.result.accepted, wait, answer);
  });
  return std::nullopt;
}

std::optional<HttpReply> GatewayApi::Message(const ApiRequest& request) {
  if (auto refused = OnlyKeys(request.query, {})) return refused;
  const std::optional<MessageInfo> message = m_gateway.Message(request.params[0]);
  if (!message) return HttpReply::Error(404, "unknown_message", "no message has the id \"" + request.params[0] + "\"");
  return HttpReply::Json(200, MessageJson(*message));
}

std::optional<HttpReply> GatewayApi::Log(const ApiRequest& request) {
  if (auto refused = OnlyKeys(request.query, {"sign", "since", "limit"})) return refused;
  LogQuery query;
  if (request.query.hasQueryItem("sign")) {
    query.sign = request.query.queryItemValue("sign", QUrl::FullyDecoded).toStdString();
    if (!m_gateway.Sign(query.sign)) return UnknownSign(query.sign);
  }
  if (request.query.hasQueryItem("since")) {
    const std::string since = request.query.queryItemValue("since", QUrl::FullyDecoded).toStdString();
    query.since = ParseApiTime(since);
    if (!query.since)
      return HttpReply::Error(400, "bad_time",
                              "since must be milliseconds since 1970 or a UTC time like 2026-12-08T14:55:00Z");
  }
  if (auto refused = QueryInt(request.query, "limit", 1, kMaxLogLimit, query.limit)) return refused;
  nlohmann::json rows = nlohmann::json::array();
  for (const LogRow& row : m_gateway.Log(query)) rows.push_back(LogRowJson(row));
  return HttpReply::Json(200, {{"log", rows}});
}

std::optional<HttpReply> GatewayApi::Preview(const ApiRequest& request) {
  if (auto refused = OnlyKeys(request.query, {"frame", "t"})) return refused;
  int frame = 0;
  if (auto refused = QueryInt(request.query, "frame", 0, kMaxPreviewFrame, frame)) return refused;
  const std::optional<SignState> sign = m_gateway.Sign(request.params[0]);
  if (!sign) return UnknownSign(request.params[0]);
  QByteArray png = PreviewPng(sign->currentCommand, sign->config.model, frame);
  if (png.isEmpty()) return HttpReply::Error(500, "preview_failed", "the preview could not be drawn");
  return HttpReply{200, "image/png", std::move(png), {{"Cache-Control", "no-store"}}};
}

std::optional<HttpReply> GatewayApi::Metrics(const ApiRequest& request) {
  if (auto refused = OnlyKeys(request.query, {})) return refused;
  const std::string text = MetricsText(m_gateway.Metrics(), m_gateway.Accepting());
  return HttpReply{200, "text/plain; version=0.0.4; charset=utf-8", QByteArray::fromStdString(text), {}};
}

std::optional<HttpReply> GatewayApi::Health(const ApiRequest& request) {
  if (auto refused = OnlyKeys(request.query, {})) return refused;
  if (!m_gateway.Accepting()) return HttpReply::Json(503, {{"status", "stopping"}});
  return HttpReply::Json(200, {{"status", "ok"}});
}
