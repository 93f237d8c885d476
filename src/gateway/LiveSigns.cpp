#include "gateway/LiveSigns.h"

#include <QDateTime>
#include <QtGlobal>
#include <algorithm>
#include <ctime>

#include "common/CodePage.h"
#include "gateway/MessageRequest.h"
#include "gateway/ScheduleJson.h"
#include "message/MessageJson.h"

namespace {

constexpr int kBodyDepth = 8;
constexpr int kMaxPriority = 1000;
// Keys of a submission that belong to the queue, not to the message.
constexpr std::string_view kQueueKeys[] = {"force", "supersede", "expires"};

GatewayTime NowMs() {
  return QDateTime::currentMSecsSinceEpoch();
}

// The template text of a submission: its "raw" string, or its message's text.
bool TemplateText(const nlohmann::json& body, std::string& text) {
  if (!body.is_object()) return false;
  if (auto raw = body.find("raw"); raw != body.end()) {
    if (!raw->is_string()) return false;
    text = raw->get<std::string>();
    return true;
  }
  nlohmann::json message = body;
  for (std::string_view key : kQueueKeys) message.erase(std::string(key));
  message.erase("priority");
  MessageJsonResult parsed = MessageFromJson(message);
  if (!parsed.status.ok()) return false;
  text = parsed.message.text;
  return true;
}

bool ParseTemplate(const std::string& body, MessageTemplate& tmpl) {
  JsonDocument document = ParseJsonStrictly(body, kBodyDepth);
  std::string text;
  if (!document.status.ok() || !TemplateText(document.value, text) || text.find("{{") == std::string::npos) {
    return false;
  }
  return tmpl.Parse(text).ok() && tmpl.IsTemplate();
}

GatewayError BadRequest(std::string error, std::string detail) {
  return {GatewayError::Kind::kBadRequest, std::move(error), std::move(detail)};
}

std::string SourceOf(ActiveChoice::Source source) {
  switch (source) {
    case ActiveChoice::Source::Interrupt:
      return "interrupt";
    case ActiveChoice::Source::Schedule:
      return "schedule";
    case ActiveChoice::Source::None:
      break;
  }
  return "message";
}

}  // namespace

LiveSigns::LiveSigns(Gateway& gateway, std::vector<ScheduleEntry> schedules, int refreshIntervalMs, QObject* parent)
    : QObject(parent), m_gateway(gateway), m_schedules(std::move(schedules)), m_refreshIntervalMs(refreshIntervalMs) {
  for (const SignConfig& config : gateway.config().signs) {
    auto sign = std::make_unique<LiveSign>();
    sign->name = config.name;
    sign->tags = config.tags;
    sign->gate = std::make_unique<RefreshGate>(refreshIntervalMs);
    sign->timer = std::make_unique<QTimer>();
    sign->timer->setSingleShot(true);
    LiveSign* raw = sign.get();
    connect(sign->timer.get(), &QTimer::timeout, this, [this, raw] { Evaluate(*raw); });
    m_signs.push_back(std::move(sign));
  }
}

LiveSigns::~LiveSigns() = default;

Status LiveSigns::Start(const std::string& stateDir) {
  if (Status opened = m_store.Open(stateDir); !opened.ok()) return opened;
  Status loaded;
  std::map<std::string, std::string> documents = m_store.LoadAll(loaded);
  if (!loaded.ok()) return loaded;
  if (auto found = documents.find("variables"); found != documents.end()) {
    nlohmann::json values = nlohmann::json::parse(found->second, nullptr, false);
    if (values.is_object()) {
      for (const auto& [name, value] : values.items()) {
        if (value.is_string()) m_variables[name] = value.get<std::string>();
      }
    }
  }
  if (auto found = documents.find("schedules"); found != documents.end()) {
    std::vector<ScheduleEntry> entries;
    if (SchedulesFromJson(found->second, entries).ok()) m_schedules = std::move(entries);
  }
  for (auto& sign : m_signs) {
    auto found = documents.find("sign:" + sign->name);
    if (found == documents.end()) continue;
    nlohmann::json state = nlohmann::json::parse(found->second, nullptr, false);
    if (!state.is_object()) continue;
    sign->baseBody = state.value("base", "");
    sign->baseId = state.value("base_id", "");
    for (const nlohmann::json& item : state.value("interrupts", nlohmann::json::array())) {
      if (!item.is_object()) continue;
      sign->interrupts.push_back({item.value("id", ""), item.value("priority", 0),
                                  static_cast<std::time_t>(item.value("expires", int64_t(0))),
                                  item.value("message", "")});
    }
    // What it was sent last is what it shows; only a change is sent again.
    sign->shown = {ChooseActive(sign->name, sign->tags, m_schedules, sign->interrupts, std::time(nullptr)).source,
                   state.value("shown", "")};
  }
  for (auto& sign : m_signs) Evaluate(*sign);
  return {};
}

LiveSigns::LiveSign* LiveSigns::Find(std::string_view name) {
  for (auto& sign : m_signs) {
    if (sign->name == name) return sign.get();
  }
  return nullptr;
}

std::vector<LiveSigns::LiveSign*> LiveSigns::Targets(const SubmitTarget& target) {
  std::vector<LiveSign*> targets;
  for (auto& sign : m_signs) {
    bool match = target.kind == SubmitTarget::Kind::kSign
                     ? sign->name == target.name
                     : std::find(sign->tags.begin(), sign->tags.end(), target.name) != sign->tags.end();
    if (match) targets.push_back(sign.get());
  }
  return targets;
}

Status LiveSigns::Fill(const std::string& body, bool refresh, std::string& filled) const {
  JsonDocument document = ParseJsonStrictly(body, kBodyDepth);
  if (!document.status.ok()) return document.status;
  nlohmann::json object = document.value;
  object.erase("priority");
  auto lookup = [this](std::string_view name) -> const std::string* {
    auto found = m_variables.find(std::string(name));
    return found == m_variables.end() ? nullptr : &found->second;
  };
  std::time_t now = std::time(nullptr);
  if (auto raw = object.find("raw"); raw != object.end() && raw->is_string()) {
    MessageTemplate tmpl;
    std::string text;
    if (Status s = tmpl.Parse(raw->get<std::string>()); !s.ok()) return s;
    if (Status s = tmpl.Fill(lookup, now, text); !s.ok()) return s;
    // A raw refresh cannot name its flash code otherwise than by its bytes.
    for (size_t at; refresh && (at = text.find("^Y1")) != std::string::npos;) text.erase(at, 3);
    *raw = text;
    filled = object.dump();
    return {};
  }
  nlohmann::json queueKeys = nlohmann::json::object();
  for (std::string_view key : kQueueKeys) {
    if (auto found = object.find(std::string(key)); found != object.end()) {
      queueKeys[std::string(key)] = *found;
      object.erase(found);
    }
  }
  MessageJsonResult parsed = MessageFromJson(object);
  if (!parsed.status.ok()) return parsed.status;
  // Variables are UTF-8; the message's text is the sign's code page (checked when set).
  std::map<std::string, std::string> bytes;
  for (const auto& [name, value] : m_variables) bytes[name] = Utf8ToCodePage(value, Unmappable::Replace).bytes;
  MessageTemplate tmpl;
  if (Status s = tmpl.Parse(parsed.message.text); !s.ok()) return s;
  std::string text;
  Status s = tmpl.Fill(
      [&bytes](std::string_view name) -> const std::string* {
        auto found = bytes.find(std::string(name));
        return found == bytes.end() ? nullptr : &found->second;
      },
      now, text);
  if (!s.ok()) return s;
  // The message as posted, its text filled: keys it left out keep their meaning (no
  // address: the sign's own).
  parsed.message.text = text;
  nlohmann::json out = object;
  out.erase("lines");
  out["text"] = MessageToJsonValue(parsed.message)["text"];
  if (refresh && RefreshCodes(parsed.message.codes).flashMode != parsed.message.codes.flashMode)
    out["flash"] = "nothing";
  out.update(queueKeys);
  filled = out.dump();
  return {};
}

LiveSigns::Submission LiveSigns::Submit(const SubmitTarget& target, std::string_view body, std::string_view source,
                                        std::string_view clientId) {
  if (clientId.empty()) return SubmitOnce(target, body, source);
  std::string key = std::string(source) + ":" + std::string(clientId);
  if (std::optional<std::string> stored = m_store.FindCommand(key)) {
    Submission again;
    nlohmann::json accepted = nlohmann::json::parse(*stored, nullptr, false);
    for (const nlohmann::json& item : accepted.is_array() ? accepted : nlohmann::json::array()) {
      again.result.accepted.push_back(
          {item.value("id", ""), item.value("sign", ""), CodePageToUtf8(item.value("command", ""))});
    }
    return again;
  }
  Submission submission = SubmitOnce(target, body, source);
  if (submission.result.ok()) {
    nlohmann::json accepted = nlohmann::json::array();
    for (const AcceptedMessage& a : submission.result.accepted) {
      accepted.push_back({{"id", a.id}, {"sign", a.sign}, {"command", CodePageToUtf8(a.command)}});
    }
    // After the queue has it: a crash before this line means the command is sent twice,
    // never that it is lost.
    if (Status s = m_store.PutCommand(key, accepted.dump()); !s.ok()) qWarning("live: %s", s.message().c_str());
  }
  return submission;
}

void LiveSigns::SetSignOwner(const std::string& sign, const std::string& owner) {
  if (LiveSign* live = Find(sign)) live->owner = owner;
}

std::string LiveSigns::OwnerOf(std::string_view sign) const {
  for (const auto& live : m_signs) {
    if (live->name == sign) return live->owner;
  }
  return {};
}

LiveSigns::Submission LiveSigns::SubmitOnce(const SubmitTarget& target, std::string_view body,
                                            std::string_view source) {
  Submission submission;
  JsonDocument document = ParseJsonStrictly(body, kBodyDepth);
  std::optional<int> priority;
  if (document.status.ok() && document.value.is_object() && document.value.contains("priority")) {
    const nlohmann::json& value = document.value["priority"];
    if (!value.is_number_integer() || value.get<int64_t>() < 0 || value.get<int64_t>() > kMaxPriority) {
      submission.result.error = BadRequest("bad_value", "\"priority\": must be a whole number from 0 to 1000");
      return submission;
    }
    priority = value.get<int>();
  }
  std::string text(body);
  MessageTemplate tmpl;
  bool isTemplate = ParseTemplate(text, tmpl);
  std::vector<LiveSign*> signs = Targets(target);
  std::time_t now = std::time(nullptr);
  if (target.kind == SubmitTarget::Kind::kSign && signs.size() == 1 && !signs[0]->owner.empty()) {
    submission.result.error = GatewayError{GatewayError::Kind::kUnavailable, "driven_elsewhere",
                                           "sign " + target.name + " is driven by gateway " + signs[0]->owner};
    return submission;
  }
  bool anyElsewhere = std::erase_if(signs, [](LiveSign* s) { return !s->owner.empty(); }) > 0;

  // A plain message that nothing outranks goes to the queues as it is, all signs at once.
  auto outranked = [&](const LiveSign& sign) {
    ActiveChoice active = ChooseActive(sign.name, sign.tags, m_schedules, sign.interrupts, now);
    return active.source != ActiveChoice::Source::None && (!priority || active.priority > *priority);
  };
  bool anyOutranked = std::any_of(signs.begin(), signs.end(), [&](LiveSign* s) { return outranked(*s); });
  if (!priority && !isTemplate && !anyOutranked && !anyElsewhere) {
    submission.result = m_gateway.Submit(target, body, source);
    for (const AcceptedMessage& accepted : submission.result.accepted) {
      if (LiveSign* sign = Find(accepted.sign)) {
        sign->baseBody = text;
        sign->baseId = accepted.id;
        sign->shown = {ActiveChoice::Source::None, accepted.id};
        sign->gate->Sent(text, NowMs());
        Persist(*sign);
        Evaluate(*sign);
      }
    }
    return submission;
  }
  if (signs.empty()) {
    if (anyElsewhere) {
      submission.result.error = GatewayError{GatewayError::Kind::kNotFound, "unknown_tag",
                                             "this gateway drives no sign with the tag " + target.name};
      return submission;
    }
    return {m_gateway.Submit(target, body, source), {}};
  }

  // Otherwise sign by sign: filled, and only where it shows now.
  std::optional<GatewayTime> expires;
  if (priority && document.value.contains("expires")) {
    const nlohmann::json& value = document.value["expires"];
    if (value.is_number() && value.get<double>() > 0 && value.get<double>() < 1e9) {
      expires = NowMs() + static_cast<GatewayTime>(value.get<double>() * 1000);
    } else if (value.is_string()) {
      expires = ParseIsoTime(value.get<std::string>());
    }
    if (!expires) {
      submission.result.error =
          BadRequest("bad_value", "\"expires\": must be seconds or a time such as 2026-01-31T14:00:00Z");
      return submission;
    }
  }
  std::string sent;
  if (Status filled = isTemplate ? Fill(text, false, sent) : Status(); !filled.ok()) {
    submission.result.error = BadRequest("bad_template", filled.message());
    return submission;
  }
  if (!isTemplate) {
    nlohmann::json object = document.value;
    object.erase("priority");
    sent = object.dump();
  }
  static uint64_t heldCounter = 0;
  for (LiveSign* sign : signs) {
    std::string id;
    if (!outranked(*sign)) {
      SubmitResult one = m_gateway.Submit({SubmitTarget::Kind::kSign, sign->name}, sent, source);
      if (!one.ok()) {
        submission.result.error = one.error;
        return submission;
      }
      id = one.accepted.front().id;
      submission.result.accepted.push_back(one.accepted.front());
      std::string refreshKey;
      sign->gate->Sent(isTemplate && Fill(text, true, refreshKey).ok() ? refreshKey : sent, NowMs());
    } else {
      id = "held-" + std::to_string(++heldCounter);
      submission.held.push_back(sign->name);
    }
    if (priority) {
      sign->interrupts.push_back(
          {id, *priority, expires ? static_cast<std::time_t>((*expires + 999) / 1000) : 0, text});
      sign->shown = {ActiveChoice::Source::Interrupt, outranked(*sign) ? sign->shown.id : id};
    } else {
      sign->baseBody = text;
      sign->baseId = id;
      if (!outranked(*sign)) sign->shown = {ActiveChoice::Source::None, id};
    }
    Persist(*sign);
    Evaluate(*sign);
  }
  return submission;
}

void LiveSigns::Evaluate(LiveSign& sign) {
  std::time_t now = std::time(nullptr);
  // Interrupts that have run out are gone for good.
  size_t before = sign.interrupts.size();
  std::erase_if(sign.interrupts, [now](const Interrupt& i) { return i.expires != 0 && i.expires <= now; });
  bool persist = before != sign.interrupts.size();

  ActiveChoice choice = ChooseActive(sign.name, sign.tags, m_schedules, sign.interrupts, now);
  Shown want{choice.source, choice.id};
  std::string body = choice.message;
  if (choice.source == ActiveChoice::Source::None) {
    want.id = sign.baseId;
    body = sign.baseBody;
  }
  MessageTemplate tmpl;
  bool isTemplate = !body.empty() && ParseTemplate(body, tmpl);
  GatewayTime nowMs = NowMs();
  std::optional<GatewayTime> wake;
  auto wakeAt = [&wake](GatewayTime at) {
    if (!wake || at < *wake) wake = at;
  };

  if (!sign.owner.empty()) {
    body.clear();  // another gateway drives it
  }
  if (!body.empty() && !(want == sign.shown)) {
    // Nobody asked for this send just now (a window opened, an interrupt ended): like a
    // refresh, it never saves to flash.
    std::string sent;
    Status filled = Fill(body, true, sent);
    if (filled.ok()) {
      nlohmann::json object = nlohmann::json::parse(sent, nullptr, false);
      if (object.is_object()) object.erase("priority");
      SubmitResult result =
          m_gateway.Submit({SubmitTarget::Kind::kSign, sign.name}, object.dump(), SourceOf(choice.source));
      if (!result.ok()) qWarning("live: sign %s: %s", sign.name.c_str(), result.error->detail.c_str());
      sign.gate->Sent(sent, nowMs);
    } else {
      qWarning("live: sign %s: %s", sign.name.c_str(), filled.message().c_str());
    }
    sign.shown = want;
    persist = true;
  } else if (isTemplate) {
    std::string refill;
    if (Status filled = Fill(body, true, refill); filled.ok()) {
      RefreshGate::Decision decision = sign.gate->Offer(refill, nowMs);
      if (decision.verdict == RefreshGate::Verdict::SendNow) {
        SubmitResult result = m_gateway.Submit({SubmitTarget::Kind::kSign, sign.name}, refill, "refresh");
        if (!result.ok()) qWarning("live: sign %s: %s", sign.name.c_str(), result.error->detail.c_str());
        sign.gate->Sent(refill, nowMs);
      } else if (decision.verdict == RefreshGate::Verdict::Later) {
        wakeAt(decision.at);
      }
    } else {
      qWarning("live: sign %s: %s", sign.name.c_str(), filled.message().c_str());
    }
  }
  if (persist) Persist(sign);

  if (std::time_t change = NextChange(sign.name, sign.tags, m_schedules, sign.interrupts, now)) {
    wakeAt(GatewayTime(change) * 1000);
  }
  if (isTemplate) {
    if (std::time_t tick = tmpl.NextTick(now)) wakeAt(GatewayTime(tick) * 1000);
  }
  sign.timer->stop();
  if (wake) sign.timer->start(int(std::clamp<GatewayTime>(*wake - nowMs, 0, 24 * 3600 * 1000)));
}

Status LiveSigns::SetVariable(const std::string& name, const std::string& value) {
  if (!IsVariableName(name)) {
    return Status::BadInput("\"" + name + "\" is no variable name (1 to 64 letters, digits, '_', '-' or '.')");
  }
  CodePageText bytes = Utf8ToCodePage(value);
  if (!bytes.status.ok()) return bytes.status;
  if (Status checked = CheckVariableValue(bytes.bytes); !checked.ok()) return checked;
  std::map<std::string, std::string> values = m_variables;
  values[name] = value;
  if (Status stored = m_store.Put("variables", nlohmann::json(values).dump()); !stored.ok()) return stored;
  m_variables = std::move(values);
  for (auto& sign : m_signs) {
    MessageTemplate tmpl;
    ActiveChoice choice = ChooseActive(sign->name, sign->tags, m_schedules, sign->interrupts, std::time(nullptr));
    const std::string& body = choice.source == ActiveChoice::Source::None ? sign->baseBody : choice.message;
    if (ParseTemplate(body, tmpl) && tmpl.UsesVariable(name)) Evaluate(*sign);
  }
  return {};
}

Status LiveSigns::SetSchedules(std::vector<ScheduleEntry> entries) {
  for (const ScheduleEntry& entry : entries) {
    if (Status checked = CheckScheduleEntry(entry); !checked.ok()) return checked;
  }
  if (Status stored = m_store.Put("schedules", SchedulesToJson(entries)); !stored.ok()) return stored;
  m_schedules = std::move(entries);
  for (auto& sign : m_signs) Evaluate(*sign);
  return {};
}

bool LiveSigns::CancelInterrupt(std::string_view messageId) {
  for (auto& sign : m_signs) {
    auto found = std::find_if(sign->interrupts.begin(), sign->interrupts.end(),
                              [&](const Interrupt& i) { return i.id == messageId; });
    if (found == sign->interrupts.end()) continue;
    sign->interrupts.erase(found);
    Persist(*sign);
    Evaluate(*sign);
    return true;
  }
  return false;
}

nlohmann::json LiveSigns::Active(std::string_view name) const {
  for (const auto& sign : m_signs) {
    if (sign->name != name) continue;
    ActiveChoice choice = ChooseActive(sign->name, sign->tags, m_schedules, sign->interrupts, std::time(nullptr));
    if (choice.source == ActiveChoice::Source::None) {
      if (sign->baseId.empty()) return {{"source", "none"}};
      return {{"source", "message"}, {"id", sign->baseId}};
    }
    nlohmann::json active = {{"source", SourceOf(choice.source)}, {"id", choice.id}, {"priority", choice.priority}};
    if (choice.until != 0) {
      active["until"] = QDateTime::fromSecsSinceEpoch(choice.until).toUTC().toString(Qt::ISODate).toStdString();
    }
    return active;
  }
  return nullptr;
}

void LiveSigns::Persist(const LiveSign& sign) {
  nlohmann::json interrupts = nlohmann::json::array();
  for (const Interrupt& i : sign.interrupts) {
    interrupts.push_back(
        {{"id", i.id}, {"priority", i.priority}, {"expires", int64_t(i.expires)}, {"message", i.message}});
  }
  nlohmann::json state = {
      {"base", sign.baseBody}, {"base_id", sign.baseId}, {"interrupts", interrupts}, {"shown", sign.shown.id}};
  if (Status stored = m_store.Put("sign:" + sign.name, state.dump()); !stored.ok()) {
    qWarning("live: %s", stored.message().c_str());
  }
}
