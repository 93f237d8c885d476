// marquee-gateway programs on one real broker, as a plant runs them: a fleet split between
// two gateways, a sign both are configured with, and commands that live through a broker
// restart and a gateway killed while they arrive. Simulated signs on 127.0.47.x.

#include <signal.h>

#include <gtest/gtest.h>
#include <QTemporaryDir>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <set>

#include "GatewayProgram.h"
#include "HttpExchange.h"
#include "MosquittoBroker.h"
#include "gateway/MqttClient.h"

namespace {

// Whether the file has a line holding part.
bool FileHas(const std::string& path, const std::string& part) {
  std::ifstream file(path);
  for (std::string line; std::getline(file, line);)
    if (line.find(part) != std::string::npos) return true;
  return false;
}

class GatewayFleet : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_broker.Start()) << m_broker.Error(); }

  // The simulated signs 127.0.47.1 to 127.0.47.last, listening.
  void StartSigns(int last) {
    const std::string log = m_dir.filePath("signs.log").toStdString();
    const std::string range = "127.0.47.1-127.0.47." + std::to_string(last);
    m_signs = std::make_unique<ChildProcess>(
        std::vector<std::string>{MARQUEE_SIM_PROGRAM, "--tcp-range", range, "--no-display", "--log", log});
    ASSERT_TRUE(SpinUntil([&] { return FileHas(log, "listen tcp=127.0.47." + std::to_string(last) + ":"); }));
  }

  std::string Config(const std::string& id, int first, int last, const std::string& extra = "") {
    return "[http]\nlisten = \"127.0.0.1:0\"\n[mqtt]\nport = " + std::to_string(m_broker.Port()) + "\nclient_id = \"" +
           id + "\"\n" + extra + SignsToml(first, last, "127.0.47.", "plant");
  }

  // A client of the plant's own, subscribed to every topic of the gateways.
  std::unique_ptr<MqttClient> Plant(const std::string& id) {
    MqttSettings settings;
    settings.port = m_broker.Port();
    settings.clientId = id;
    settings.reconnectInitialMs = 100;
    settings.reconnectMaxMs = 400;
    auto client = std::make_unique<MqttClient>(settings);
    client->SetMessageHandler(
        [this](const std::string& topic, const std::string& payload, bool) { m_inbox.emplace_back(topic, payload); });
    client->Subscribe("marquee/#", 1);
    EXPECT_TRUE(client->Start().ok());
    EXPECT_TRUE(SpinUntil([&] { return client->IsConnected(); }));
    return client;
  }

  // The results with status "sent", per sign.
  std::map<std::string, int> SentResults() const {
    std::map<std::string, int> sent;
    for (const auto& [topic, payload] : m_inbox) {
      if (topic.size() < 7 || topic.compare(topic.size() - 7, 7, "/result") != 0) continue;
      if (nlohmann::json::parse(payload, nullptr, false).value("status", "") == "sent") ++sent[topic];
    }
    return sent;
  }

  bool Seen(const std::string& topic, const std::string& payload) const {
    for (const auto& [t, p] : m_inbox)
      if (t == topic && p == payload) return true;
    return false;
  }

  MosquittoBroker m_broker;
  QTemporaryDir m_dir;
  std::unique_ptr<ChildProcess> m_signs;
  std::vector<std::pair<std::string, std::string>> m_inbox;
};

TEST_F(GatewayFleet, TwoGatewaysDriveTheirOwnHalvesAndOneTagReachesAll) {
  StartSigns(200);
  auto plant = Plant("mes");
  // gw-a claims s1 to s100 first; gw-b is configured with s100 to s200 and must leave s100 alone.
  GatewayProgram a = StartGateway(m_dir.path().toStdString(), "gw-a", Config("gw-a", 1, 100));
  ASSERT_NE(a.port, 0);
  ASSERT_TRUE(SpinUntil([&] { return Seen("marquee/signs/s100/owner", "gw-a"); }));
  GatewayProgram b = StartGateway(m_dir.path().toStdString(), "gw-b", Config("gw-b", 100, 200));
  ASSERT_NE(b.port, 0);
  ASSERT_TRUE(b.process->WaitForLine(ChildProcess::kErr, [](const std::string& line) {
    return line.find("sign s100 is driven by gateway gw-a") != std::string::npos;
  }));
  EXPECT_EQ(Exchange(b.port, Request("GET", "/api/v1/signs/s100")).Json().value("driven_by", ""), "gw-a");
  ASSERT_TRUE(SpinUntil([&] { return Seen("marquee/signs/s200/owner", "gw-b"); }));
  EXPECT_FALSE(Seen("marquee/signs/s100/owner", "gw-b"));

  ASSERT_TRUE(plant->Publish("marquee/tags/plant/message/set", R"({"id": "all-1", "raw": "^E0PLANT"})", 1, false).ok());
  ASSERT_TRUE(SpinUntil([&] { return SentResults().size() == 200; }, 60000)) << SentResults().size();
  for (const auto& [topic, count] : SentResults()) EXPECT_EQ(count, 1) << topic;
  EXPECT_TRUE(Exchange(b.port, Request("GET", "/api/v1/log?sign=s100")).Json()["log"].empty());
}

TEST_F(GatewayFleet, CommandsOutliveABrokerRestartAndAKilledGatewayAndApplyOnce) {
  StartSigns(10);
  const std::string config = Config("gw", 1, 10, "[queue]\nsupersede = false\n");
  GatewayProgram gateway = StartGateway(m_dir.path().toStdString(), "gw", config);
  ASSERT_NE(gateway.port, 0);
  auto plc = Plant("plc");
  ASSERT_TRUE(SpinUntil([&] { return Seen("marquee/gateways/gw/status", "online"); }));
  int next = 0;
  auto publishOne = [&](int number) {
    const std::string command =
        "{\"id\": \"c" + std::to_string(number) + "\", \"raw\": \"^E0cmd-" + std::to_string(number) + "\"}";
    ASSERT_TRUE(
        plc->Publish("marquee/signs/s" + std::to_string(number % 10 + 1) + "/message/set", command, 1, false).ok());
  };
  auto publish = [&](int count) {
    for (int i = 0; i < count; ++i) publishOne(next++);
  };
  // Results come back while the rest of each burst is still on its way to the gateway.
  auto results = [&] {
    int total = 0;
    for (const auto& [topic, count] : SentResults()) total += count;
    return total;
  };
  // Published just before the broker stops, while it is away and once it is back.
  publish(30);
  ASSERT_TRUE(SpinUntil([&] { return results() >= 5; }));
  m_broker.Stop();
  publish(10);
  ASSERT_TRUE(m_broker.Start()) << m_broker.Error();
  publish(10);
  // The gateway killed with commands arriving, and started again on the same state.
  publish(30);
  ASSERT_TRUE(SpinUntil([&] { return results() >= 55; }, 30000));
  gateway.process->Signal(SIGKILL);
  publish(10);
  gateway = StartGateway(m_dir.path().toStdString(), "gw", config);
  ASSERT_NE(gateway.port, 0);
  publish(10);
  // A publisher unsure of what went through sends it again.
  for (int number = 0; number < 10; ++number) publishOne(number);

  // Every command sent once; a last one behind them all catches late redeliveries.
  auto sends = [&] {
    std::map<int, int> counts;
    nlohmann::json log = Exchange(gateway.port, Request("GET", "/api/v1/log?limit=1000")).Json();
    for (const nlohmann::json& row : log.value("log", nlohmann::json::array())) {
      const std::string command = row.value("command", "");
      if (row.value("result", "") == "sent" && command.find("cmd-") != std::string::npos)
        ++counts[std::stoi(command.substr(command.find("cmd-") + 4))];
    }
    return counts;
  };
  ASSERT_TRUE(SpinUntil([&] { return sends().size() == size_t(next); }, 60000)) << sends().size() << " of " << next;
  const int last = next;
  publish(1);
  ASSERT_TRUE(SpinUntil([&] { return sends().count(last) == 1; }, 30000));
  for (const auto& [command, count] : sends()) EXPECT_EQ(count, 1) << "cmd-" << command;
}

}  // namespace
