#include "gateway/MqttBridge.h"

#include <QDateTime>
#include <QtGlobal>
#include <nlohmann/json.hpp>

#include "common/CodePage.h"
#include "gateway/Gateway.h"
#include "gateway/LiveSigns.h"
#include "gateway/MqttTopics.h"
#include "message/CommandDecoder.h"
#include "message/InlineCodes.h"
#include "message/MessageJson.h"

namespace {

// Retained owner and status topics arrive right after the subscriptions; claims wait
// this long for them.
constexpr int kSettleMs = 1000;

std::vector<std::string> SignNames(const Gateway& gateway) {
  std::vector<std::string> names;
  for (const SignConfig& sign : gateway.config().signs) names.push_back(sign.name);
  return names;
}

MqttSettings ClientSettings(const MqttConfig& config) {
  MqttSettings settings;
  settings.host = config.host;
  settings.port = config.port;
  settings.clientId = config.clientId;
  settings.username = config.username;
  settings.password = config.password;
  settings.caFile = config.caFile;
  settings.certFile = config.certFile;
  settings.keyFile = config.keyFile;
  settings.cleanSession = false;
  settings.willTopic = GatewayStatusTopic(config.prefix, config.clientId);
  settings.willPayload = "offline";
  settings.willRetain = true;
  return settings;
}

std::string Utf8(const std::string& bytes) {
  return CodePageToUtf8(bytes);
}

// What the sign shows, as text: the characters without their codes, lines on lines.
std::string PlainText(std::string_view textWithCodes) {
  std::string plain;
  for (const InlinePiece& piece : DecodeInlineText(textWithCodes)) {
    plain += piece.isLineBreak ? '\n' : static_cast<char>(piece.character.character & 0xFF);
  }
  return plain;
}

}  // namespace

MqttBridge::MqttBridge(Gateway& gateway, LiveSigns& live, const MqttConfig& config, QObject* parent)
    : QObject(parent),
      m_gateway(gateway),
      m_live(live),
      m_config(config),
      m_client(std::make_unique<MqttClient>(ClientSettings(config), this)),
      m_ownership(config.clientId, SignNames(gateway)) {
  m_client->SetMessageHandler([this](const std::string& topic, const std::string& payload, bool retained) {
    Arrived(topic, payload, retained);
  });
  connect(m_client.get(), &MqttClient::connected, this, &MqttBridge::Connected);
  connect(m_client.get(), &MqttClient::disconnected, this,
          [](const QString& reason) { qWarning("mqtt: connection to the broker lost: %s", qPrintable(reason)); });
  m_settle.setSingleShot(true);
  m_settle.setInterval(kSettleMs);
  connect(&m_settle, &QTimer::timeout, this, [this] { Apply(m_ownership.Settled()); });
}

MqttBridge::~MqttBridge() {
  if (m_subscription) m_gateway.Unsubscribe(m_subscription);
}

Status MqttBridge::Start() {
  const std::string& prefix = m_config.prefix;
  for (const char* filter :
       {"/signs/+/message/set", "/tags/+/message/set", "/vars/+/set", "/signs/+/owner", "/gateways/+/status"}) {
    m_client->Subscribe(prefix + filter, m_config.qos);
  }
  m_subscription = m_gateway.SubscribeSignChanges([this](const SignState& sign) { PublishState(sign); });
  return m_client->Start();
}

void MqttBridge::Stop() {
  if (m_client->IsConnected()) {
    (void)m_client->Publish(GatewayStatusTopic(m_config.prefix, m_config.clientId), "offline", 1, true);
  }
  m_client->Stop();
}

void MqttBridge::Connected() {
  (void)m_client->Publish(GatewayStatusTopic(m_config.prefix, m_config.clientId), "online", 1, true);
  // What was published while the broker was away is stale there: publish it again.
  for (const SignState& sign : m_gateway.Signs()) PublishState(sign);
  if (m_config.discovery) PublishDiscovery();
  m_settle.start();
}

void MqttBridge::Arrived(const std::string& topic, const std::string& payload, bool) {
  std::optional<MqttInTopic> in = ParseInTopic(m_config.prefix, topic);
  if (!in) return;
  switch (in->kind) {
    case MqttInTopic::Kind::kOwner:
      Apply(m_ownership.OwnerSeen(in->name, payload));
      break;
    case MqttInTopic::Kind::kGatewayStatus:
      Apply(m_ownership.StatusSeen(in->name, payload));
      break;
    case MqttInTopic::Kind::kVariable: {
      Status set = m_live.SetVariable(in->name, payload);
      if (!set.ok()) qWarning("mqtt: variable %s: %s", in->name.c_str(), set.message().c_str());
      break;
    }
    case MqttInTopic::Kind::kSignMessage:
    case MqttInTopic::Kind::kTagMessage:
      Command(*in, payload);
      break;
  }
}

void MqttBridge::Command(const MqttInTopic& topic, const std::string& payload) {
  bool forSign = topic.kind == MqttInTopic::Kind::kSignMessage;
  // Signs of other gateways, and signs another gateway drives, are theirs to answer.
  if (forSign && (!m_gateway.Sign(topic.name) || !m_ownership.Drives(topic.name))) return;
  std::string resultTopic =
      forSign ? SignTopic(m_config.prefix, topic.name, "result") : TagTopic(m_config.prefix, topic.name, "result");
  MqttCommand command = CommandFromPayload(payload);
  auto refuse = [&](const std::string& error, const std::string& detail) {
    PublishJson(
        resultTopic,
        nlohmann::json{{"command_id", command.id}, {"status", "refused"}, {"error", error}, {"detail", detail}}.dump(),
        false);
  };
  if (!command.status.ok()) {
    refuse("bad_payload", command.status.message());
    return;
  }
  SubmitTarget target{forSign ? SubmitTarget::Kind::kSign : SubmitTarget::Kind::kTag, topic.name};
  SubmitResult result = m_live.Submit(target, command.body, "mqtt", command.id).result;
  if (!result.ok()) {
    // A tag none of this gateway's signs carries may be another gateway's.
    if (!forSign && result.error->kind == GatewayError::Kind::kNotFound) return;
    refuse(result.error->error, result.error->detail);
    return;
  }
  for (const AcceptedMessage& accepted : result.accepted) {
    std::string signResult = SignTopic(m_config.prefix, accepted.sign, "result");
    std::string commandId = command.id;
    m_gateway.WhenFinished(accepted.id, [this, signResult, commandId](const MessageInfo& info) {
      PublishJson(signResult,
                  nlohmann::json{{"id", info.id},
                                 {"command_id", commandId},
                                 {"status", std::string(MessageStateName(info.state))},
                                 {"attempts", info.attempts},
                                 {"error", Utf8(info.error)}}
                      .dump(),
                  false);
    });
  }
}

void MqttBridge::Apply(const SignOwnership::Actions& actions) {
  for (const std::string& sign : actions.claim) {
    (void)m_client->Publish(SignTopic(m_config.prefix, sign, "owner"), m_config.clientId, 1, true);
  }
  for (const SignOwnership::Change& change : actions.changes) {
    if (change.owner.empty()) {
      qInfo("mqtt: sign %s is driven by this gateway again", change.sign.c_str());
    } else {
      qWarning("mqtt: sign %s is driven by gateway %s; this gateway leaves it alone", change.sign.c_str(),
               change.owner.c_str());
    }
    m_live.SetSignOwner(change.sign, change.owner);
  }
}

void MqttBridge::PublishState(const SignState& sign) {
  if (!m_client->IsConnected() || !m_ownership.Drives(sign.config.name)) return;
  nlohmann::json state = {{"message_id", sign.currentMessageId},
                          {"command", Utf8(sign.currentCommand)},
                          {"last_result", sign.lastResult},
                          {"last_error", Utf8(sign.lastError)},
                          {"queue_length", sign.queueLength},
                          {"time", QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString()}};
  if (!sign.currentCommand.empty()) {
    CommandMessage message = DecodeCommandString(sign.currentCommand).message;
    state["message"] = MessageToJsonValue(message);
    state["text"] = Utf8(PlainText(message.text));
  } else {
    state["text"] = "";
  }
  PublishJson(SignTopic(m_config.prefix, sign.config.name, "state"), state.dump(), true);
}

void MqttBridge::PublishDiscovery() {
  const std::string& prefix = m_config.prefix;
  for (const SignConfig& sign : m_gateway.config().signs) {
    if (!m_ownership.Drives(sign.name)) continue;
    const std::string id = DiscoveryObjectId(sign.name);
    nlohmann::json config = {
        {"name", sign.name},
        {"unique_id", id},
        {"command_topic", SignTopic(prefix, sign.name, "message/set")},
        {"state_topic", SignTopic(prefix, sign.name, "state")},
        {"value_template", "{{ value_json.text }}"},
        {"availability_topic", GatewayStatusTopic(prefix, m_config.clientId)},
        {"max", 255},
        {"device",
         {{"identifiers", {id}},
          {"name", "LED sign " + sign.name},
          {"manufacturer", "FerroMarquee"},
          {"via_device", m_config.clientId}}},
    };
    PublishJson(m_config.discoveryPrefix + "/text/" + id + "/config", config.dump(), true);
  }
}

void MqttBridge::PublishJson(const std::string& topic, const std::string& json, bool retain) {
  if (Status published = m_client->Publish(topic, json, 1, retain); !published.ok()) {
    qWarning("mqtt: %s", published.message().c_str());
  }
}
