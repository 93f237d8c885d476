// marquee-gateway's live messages and MQTT side end to end: the real program with a real
// broker and a simulated sign; commands and variables over MQTT and HTTP, schedules and
// interrupts over HTTP, Home Assistant discovery.
//
// The gateway runs in a time zone whose offset from UTC has seconds in it, chosen so that a
// local minute starts a few seconds after it does: a schedule window opens then, not up to a
// minute later.

#include <signal.h>

#include <gtest/gtest.h>
#include <QTemporaryDir>
#include <cstdlib>
#include <ctime>
#include <nlohmann/json.hpp>

#include "GatewayProgram.h"
#include "HttpExchange.h"
#include "MosquittoBroker.h"
#include "gateway/MqttClient.h"

namespace {

constexpr int kLeadSeconds = 8;

std::string UtcIso(std::time_t t) {
  std::tm parts{};
  gmtime_r(&t, &parts);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S.000Z", &parts);
  return text;
}

class GatewayLive : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_broker.Start()) << m_broker.Error();
    ASSERT_TRUE(m_sim.WaitForLine(ChildProcess::kErr, [](const std::string& line) {
      return line.find("127.0.46.1") != std::string::npos && line.find("listen") != std::string::npos;
    })) << "the simulator did not start";
    m_offset = static_cast<int>((60 - (std::time(nullptr) + kLeadSeconds) % 60) % 60);
    ::setenv("TZ", ("TST-0:00:" + std::to_string(m_offset)).c_str(), 1);
    ::tzset();
    m_gateway = StartGateway(m_dir.path().toStdString(), "gw-test",
                             "[http]\nlisten = \"127.0.0.1:0\"\ntoken = \"s3cret\"\n"
                             "[mqtt]\nport = " +
                                 std::to_string(m_broker.Port()) +
                                 "\nclient_id = \"gw-test\"\ndiscovery = true\n"
                                 "[live]\nrefresh_interval_ms = 200\n"
                                 "[[signs]]\nname = \"line1\"\ntcp = \"127.0.46.1\"\nmodel = 10\n");
    ASSERT_NE(m_gateway.port, 0) << "the gateway did not start";
    m_port = m_gateway.port;

    MqttSettings settings;
    settings.port = m_broker.Port();
    settings.clientId = "plc";
    m_plc = std::make_unique<MqttClient>(settings);
    m_plc->SetMessageHandler(
        [this](const std::string& topic, const std::string& payload, bool) { m_inbox.emplace_back(topic, payload); });
    m_plc->Subscribe("marquee/#", 1);
    m_plc->Subscribe("homeassistant/#", 1);
    ASSERT_TRUE(m_plc->Start().ok());
    ASSERT_TRUE(SpinUntil([&] { return m_plc->IsConnected(); }));
  }

  // The log rows of line1's sends, oldest first.
  std::vector<nlohmann::json> SentRows() {
    nlohmann::json log = Exchange(m_port, Request("GET", "/api/v1/log?sign=line1&limit=100")).Json();
    std::vector<nlohmann::json> rows;
    for (const nlohmann::json& row : log.value("log", nlohmann::json::array()))
      if (row["result"] == "sent") rows.insert(rows.begin(), row);
    return rows;
  }
  std::vector<std::string> Sent() {
    std::vector<std::string> commands;
    for (const nlohmann::json& row : SentRows()) commands.push_back(row["command"].get<std::string>());
    return commands;
  }
  static bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
  }
  // Whether the last command sent comes to end with the text.
  bool SentEventually(const std::string& end, int timeoutMs = 15000) {
    return SpinUntil(
        [&] {
          std::vector<std::string> sent = Sent();
          return !sent.empty() && EndsWith(sent.back(), end);
        },
        timeoutMs);
  }
  std::optional<std::string> Received(const std::string& topic, const std::string& part) {
    for (const auto& [t, payload] : m_inbox) {
      if (t == topic && payload.find(part) != std::string::npos) return payload;
    }
    return std::nullopt;
  }
  int PutVariable(const std::string& name, const std::string& value) {
    return Exchange(m_port, Request("PUT", "/api/v1/vars/" + name, "{\"value\": " + value + "}")).status;
  }
  // An alarm that interrupts line1 for two seconds.
  Response PostAlarm() {
    return Exchange(
        m_port, Request("POST", "/api/v1/signs/line1/messages", R"({"raw": "^E1ALARM", "priority": 9, "expires": 2})"));
  }

  MosquittoBroker m_broker;
  QTemporaryDir m_dir;
  ChildProcess m_sim{{MARQUEE_SIM_PROGRAM, "--tcp-range", "127.0.46.1-127.0.46.1", "--model", "10", "--no-display"}};
  int m_offset = 0;  // seconds the local zone is ahead of UTC
  GatewayProgram m_gateway;
  uint16_t m_port = 0;
  std::unique_ptr<MqttClient> m_plc;
  std::vector<std::pair<std::string, std::string>> m_inbox;
};

TEST_F(GatewayLive, CommandsAndValuesOverMqttInterruptsOverHttp) {
  // A command with its id: the result comes back, the state is retained, a redelivery is not sent again.
  const std::string command = R"({"id": "plc-1", "text": "^dC2Count {{var:count|0}}", "flash": "save"})";
  ASSERT_TRUE(m_plc->Publish("marquee/signs/line1/message/set", command, 1, false).ok());
  ASSERT_TRUE(SpinUntil([&] { return Received("marquee/signs/line1/result", "\"sent\"").has_value(); }, 15000));
  ASSERT_TRUE(SentEventually("^dC2Count 0^Y1"));
  ASSERT_TRUE(m_plc->Publish("marquee/signs/line1/message/set", command, 1, false).ok());
  ASSERT_TRUE(SpinUntil([&] { return Received("marquee/signs/line1/state", "Count 0").has_value(); }));

  // A new value refills the template, without the flash code; the same value again sends
  // nothing (the next value's send follows straight on).
  ASSERT_TRUE(m_plc->Publish("marquee/vars/count/set", "5", 1, false).ok());
  ASSERT_TRUE(SentEventually("^dC2Count 5"));
  for (const char* value : {"5", "7"}) ASSERT_TRUE(m_plc->Publish("marquee/vars/count/set", value, 1, false).ok());
  ASSERT_TRUE(SentEventually("^dC2Count 7"));
  EXPECT_EQ(Sent().size(), 3u);

  // An alarm interrupts and expires; the template comes back with the latest value.
  const Response alarm = PostAlarm();
  ASSERT_EQ(alarm.status, 202) << alarm.body;
  ASSERT_TRUE(SentEventually("^E1ALARM"));
  EXPECT_EQ(Exchange(m_port, Request("GET", "/api/v1/signs/line1")).Json()["active"]["source"], "interrupt");
  ASSERT_TRUE(m_plc->Publish("marquee/vars/count/set", "8", 1, false).ok());
  ASSERT_TRUE(SentEventually("^dC2Count 8"));  // no flash save on a send nobody asked for
  EXPECT_EQ(Sent().size(), 5u);                // nothing sent twice, the redelivered command included

  // Killed: the broker tells the plant with the gateway's will.
  ASSERT_TRUE(Received("marquee/gateways/gw-test/status", "online"));
  m_gateway.process->Signal(SIGKILL);
  ASSERT_TRUE(SpinUntil([&] { return Received("marquee/gateways/gw-test/status", "offline").has_value(); }, 60000));
}

TEST_F(GatewayLive, AScheduleWindowOpensOnTimeAndComesBackAfterAnAlarm) {
  ASSERT_EQ(PutVariable("count", "3"), 200);
  // The first local minute at least two seconds away, and a window of two minutes from it.
  const std::time_t now = std::time(nullptr) + 2;
  const std::time_t opens = now + (60 - (now + m_offset) % 60) % 60;
  const int minute = static_cast<int>(((opens + m_offset) / 60) % 1440);
  auto clock = [](int m) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", m / 60 % 24, m % 60);
    return std::string(text);
  };
  const std::string schedules =
      R"([{"id": "shift", "signs": ["line1"], "days": "daily", "from": ")" + clock(minute) + R"(", "to": ")" +
      clock((minute + 2) % 1440) +
      R"(", "priority": 1, "message": {"text": "^dC2Shift {{var:count|0}}", "flash": "save"}}])";
  const Response put = Exchange(m_port, Request("PUT", "/api/v1/schedules", schedules));
  ASSERT_EQ(put.status, 200) << put.body;
  ASSERT_TRUE(SentEventually("^dC2Shift 3", 90000));
  EXPECT_GE(SentRows().front()["time"].get<std::string>(), UtcIso(opens));  // not before the window opened
  EXPECT_EQ(Exchange(m_port, Request("GET", "/api/v1/signs/line1")).Json()["active"]["source"], "schedule");

  // Values set over HTTP refill the scheduled template; the same value again sends nothing.
  ASSERT_EQ(PutVariable("count", "4"), 200);
  ASSERT_TRUE(SentEventually("^dC2Shift 4"));
  for (const char* value : {"4", "\"5\""}) ASSERT_EQ(PutVariable("count", value), 200);
  ASSERT_TRUE(SentEventually("^dC2Shift 5"));
  EXPECT_EQ(Sent().size(), 3u);

  const Response alarm = PostAlarm();
  ASSERT_EQ(alarm.status, 202) << alarm.body;
  ASSERT_TRUE(SentEventually("^E1ALARM"));
  ASSERT_TRUE(SentEventually("^dC2Shift 5"));
  EXPECT_EQ(Exchange(m_port, Request("GET", "/api/v1/signs/line1")).Json()["active"]["source"], "schedule");
  for (const std::string& command : Sent()) EXPECT_EQ(command.find("^Y1"), std::string::npos) << command;
}

TEST_F(GatewayLive, HomeAssistantSeesEachSignAsATextEntity) {
  const std::string topic = "homeassistant/text/ferromarquee_line1/config";
  ASSERT_TRUE(SpinUntil([&] { return Received(topic, "command_topic").has_value(); }));
  const nlohmann::json config = nlohmann::json::parse(*Received(topic, "command_topic"));
  EXPECT_EQ(config["availability_topic"], "marquee/gateways/gw-test/status");
  // What Home Assistant publishes for the entity is a bare text; its state is the sign's text.
  ASSERT_TRUE(m_plc->Publish(config["command_topic"], "Hello hall", 1, false).ok());
  ASSERT_TRUE(SpinUntil([&] {
    for (const auto& [t, payload] : m_inbox)
      if (t == config["state_topic"] &&
          nlohmann::json::parse(payload, nullptr, false).value("text", "") == "Hello hall")
        return true;
    return false;
  }));
}

}  // namespace
