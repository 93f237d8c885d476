// marquee-gateway's live messages and MQTT side end to end: the real program with a real
// broker and simulated signs; commands and variables over MQTT, interrupts over HTTP.

#include <signal.h>

#include <gtest/gtest.h>
#include <QTemporaryDir>
#include <fstream>
#include <nlohmann/json.hpp>

#include "HttpExchange.h"
#include "MosquittoBroker.h"
#include "gateway/MqttClient.h"
#include "support/ChildProcess.h"

namespace {

class GatewayLive : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_broker.Start()) << m_broker.Error();
    ASSERT_TRUE(m_sim.WaitForLine(ChildProcess::kErr, [](const std::string& line) {
      return line.find("127.0.46.1") != std::string::npos && line.find("listen") != std::string::npos;
    })) << "the simulator did not start";
    const std::string config = m_dir.filePath("gateway.toml").toStdString();
    std::ofstream(config) << "[http]\nlisten = \"127.0.0.1:0\"\ntoken = \"s3cret\"\n"
                             "[mqtt]\nport = "
                          << m_broker.Port()
                          << "\nclient_id = \"gw-test\"\n"
                             "[live]\nrefresh_interval_ms = 200\n"
                             "[[signs]]\nname = \"line1\"\ntcp = \"127.0.46.1\"\nmodel = 10\n";
    m_gateway = std::make_unique<ChildProcess>(
        std::vector<std::string>{MARQUEE_GATEWAY_PROGRAM, "--config", config, "--state", m_dir.path().toStdString()});
    const auto line = m_gateway->WaitForLineStarting(ChildProcess::kErr, "marquee-gateway: listening on");
    ASSERT_TRUE(line) << "the gateway did not start";
    m_port = static_cast<uint16_t>(std::stoi(line->substr(line->rfind(':') + 1)));

    MqttSettings settings;
    settings.port = m_broker.Port();
    settings.clientId = "plc";
    m_plc = std::make_unique<MqttClient>(settings);
    m_plc->SetMessageHandler(
        [this](const std::string& topic, const std::string& payload, bool) { m_inbox.emplace_back(topic, payload); });
    m_plc->Subscribe("marquee/#", 1);
    ASSERT_TRUE(m_plc->Start().ok());
    ASSERT_TRUE(SpinUntil([&] { return m_plc->IsConnected(); }));
  }

  // The commands the send log holds for line1, oldest first.
  std::vector<std::string> Sent() {
    nlohmann::json log = Exchange(m_port, Request("GET", "/api/v1/log?sign=line1&limit=100")).Json();
    std::vector<std::string> commands;
    for (const nlohmann::json& row : log.value("log", nlohmann::json::array())) {
      if (row["result"] == "sent") commands.insert(commands.begin(), row["command"].get<std::string>());
    }
    return commands;
  }
  // Whether the last command sent ends with the text.
  bool SentEventually(const std::string& end) {
    return SpinUntil(
        [&] {
          std::vector<std::string> sent = Sent();
          return !sent.empty() && sent.back().size() >= end.size() &&
                 sent.back().compare(sent.back().size() - end.size(), end.size(), end) == 0;
        },
        15000);
  }
  std::optional<std::string> Received(const std::string& topic, const std::string& part) {
    for (const auto& [t, payload] : m_inbox) {
      if (t == topic && payload.find(part) != std::string::npos) return payload;
    }
    return std::nullopt;
  }

  MosquittoBroker m_broker;
  QTemporaryDir m_dir;
  ChildProcess m_sim{{MARQUEE_SIM_PROGRAM, "--tcp-range", "127.0.46.1-127.0.46.1", "--model", "10", "--no-display"}};
  std::unique_ptr<ChildProcess> m_gateway;
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

  // A new value refills the template, without the flash code; the same value sends nothing.
  ASSERT_TRUE(m_plc->Publish("marquee/vars/count/set", "5", 1, false).ok());
  ASSERT_TRUE(SentEventually("^dC2Count 5"));
  ASSERT_TRUE(m_plc->Publish("marquee/vars/count/set", "5", 1, false).ok());
  SpinUntil([] { return false; }, 1000);
  EXPECT_EQ(Sent().size(), 2u);

  // An alarm interrupts and expires; the template comes back with the latest value.
  const Response alarm = Exchange(
      m_port, Request("POST", "/api/v1/signs/line1/messages", R"({"raw": "^E1ALARM", "priority": 9, "expires": 2})"));
  ASSERT_EQ(alarm.status, 202) << alarm.body;
  ASSERT_TRUE(SentEventually("^E1ALARM"));
  EXPECT_EQ(Exchange(m_port, Request("GET", "/api/v1/signs/line1")).Json()["active"]["source"], "interrupt");
  ASSERT_TRUE(m_plc->Publish("marquee/vars/count/set", "6", 1, false).ok());
  ASSERT_TRUE(SentEventually("^dC2Count 6"));  // no flash save on a send nobody asked for
  EXPECT_EQ(Sent().size(), 4u);                // nothing sent twice, the redelivered command included

  // Killed: the broker tells the plant with the gateway's will.
  ASSERT_TRUE(Received("marquee/gateways/gw-test/status", "online"));
  m_gateway->Signal(SIGKILL);
  ASSERT_TRUE(SpinUntil([&] { return Received("marquee/gateways/gw-test/status", "offline").has_value(); }, 60000));
}

}  // namespace
