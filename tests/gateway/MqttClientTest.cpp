#include <gtest/gtest.h>

#include <vector>

#include "MosquittoBroker.h"
#include "gateway/MqttClient.h"

namespace {

struct Received {
  std::string topic;
  std::string payload;
  bool retained = false;
};

MqttSettings Settings(const MosquittoBroker& broker, std::string id) {
  MqttSettings settings;
  settings.port = broker.Port();
  settings.clientId = std::move(id);
  settings.reconnectInitialMs = 100;
  settings.reconnectMaxMs = 400;
  return settings;
}

class MqttClientTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_broker.Start()) << m_broker.Error(); }

  std::unique_ptr<MqttClient> Client(std::string id, std::vector<Received>* inbox = nullptr) {
    auto client = std::make_unique<MqttClient>(Settings(m_broker, std::move(id)));
    if (inbox) {
      client->SetMessageHandler([inbox](const std::string& topic, const std::string& payload, bool retained) {
        inbox->push_back({topic, payload, retained});
      });
    }
    EXPECT_TRUE(client->Start().ok());
    EXPECT_TRUE(SpinUntil([&] { return client->IsConnected(); }));
    return client;
  }

  MosquittoBroker m_broker;
};

TEST_F(MqttClientTest, DeliversRetainedAndLiveMessagesAndKeepsTheSessionWhileAway) {
  auto publisher = Client("publisher");
  ASSERT_TRUE(publisher->Publish("t/state", "kept", 1, true).ok());
  std::vector<Received> inbox;
  {
    auto subscriber = Client("subscriber", &inbox);
    subscriber->Subscribe("t/#", 1);
    ASSERT_TRUE(SpinUntil([&] { return inbox.size() == 1; }));
    EXPECT_TRUE(inbox[0].retained);
    ASSERT_TRUE(publisher->Publish("t/live", std::string("a\0b", 3), 1, false).ok());
    ASSERT_TRUE(SpinUntil([&] { return inbox.size() == 2; }));
    EXPECT_EQ(inbox[1].payload, std::string("a\0b", 3));
    subscriber->Stop();
  }
  // Published while the subscriber is away: its persistent session keeps them.
  ASSERT_TRUE(publisher->Publish("t/while-away", "1", 1, false).ok());
  ASSERT_TRUE(publisher->Publish("t/while-away", "2", 1, false).ok());
  inbox.clear();
  auto back = Client("subscriber", &inbox);
  ASSERT_TRUE(SpinUntil([&] { return inbox.size() >= 2; }));
  EXPECT_EQ(inbox[0].payload, "1");
  EXPECT_EQ(inbox[1].payload, "2");
}

TEST_F(MqttClientTest, ReconnectsAfterTheBrokerRestarts) {
  std::vector<Received> inbox;
  auto watcher = Client("watcher", &inbox);
  watcher->Subscribe("status/#", 1);
  int connects = 0;
  int losses = 0;
  QObject::connect(watcher.get(), &MqttClient::connected, [&] { ++connects; });
  QObject::connect(watcher.get(), &MqttClient::disconnected, [&] { ++losses; });
  auto publisher = Client("publisher");

  m_broker.Stop();
  ASSERT_TRUE(SpinUntil([&] { return losses == 1 && !watcher->IsConnected(); }));
  // Queued while the broker is away, sent once it is back.
  ASSERT_TRUE(publisher->Publish("status/x", "queued", 1, false).ok());
  ASSERT_TRUE(m_broker.Start()) << m_broker.Error();
  ASSERT_TRUE(SpinUntil([&] { return connects == 1 && watcher->IsConnected(); }));
  ASSERT_TRUE(SpinUntil([&] { return !inbox.empty(); }));
  EXPECT_EQ(inbox[0].payload, "queued");
}

}  // namespace
