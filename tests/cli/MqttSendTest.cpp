// marquee send --mqtt against a real Mosquitto broker, with a subscriber standing in for
// the gateway.

#include <gtest/gtest.h>
#include <mosquitto.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <nlohmann/json.hpp>
#include <thread>
#include <vector>

#include "gateway/MosquittoBroker.h"
#include "support/CliRun.h"
#include "support/LoopbackListener.h"

namespace {

// Subscribes to every sign's message topic and keeps what arrives, on libmosquitto's thread.
class Subscriber {
 public:
  struct Message {
    std::string topic, payload;
  };
  explicit Subscriber(uint16_t port) {
    mosquitto_lib_init();
    m_mosq = mosquitto_new(nullptr, true, this);
    mosquitto_connect_callback_set(
        m_mosq, [](mosquitto* mosq, void*, int) { mosquitto_subscribe(mosq, nullptr, "+/signs/+/message/set", 1); });
    mosquitto_subscribe_callback_set(m_mosq, [](mosquitto*, void* self, int, int, const int*) {
      static_cast<Subscriber*>(self)->Note([](Subscriber& s) { s.m_subscribed = true; });
    });
    mosquitto_message_callback_set(m_mosq, [](mosquitto*, void* self, const mosquitto_message* message) {
      std::string payload(static_cast<const char*>(message->payload), static_cast<size_t>(message->payloadlen));
      static_cast<Subscriber*>(self)->Note([&](Subscriber& s) { s.m_messages.push_back({message->topic, payload}); });
    });
    mosquitto_connect(m_mosq, "127.0.0.1", port, 30);
    mosquitto_loop_start(m_mosq);
  }
  ~Subscriber() {
    mosquitto_disconnect(m_mosq);
    mosquitto_loop_stop(m_mosq, false);
    mosquitto_destroy(m_mosq);
  }
  bool WaitSubscribed() {
    return Wait([this] { return m_subscribed; });
  }
  std::vector<Message> WaitMessages(size_t count) {
    Wait([&] { return m_messages.size() >= count; });
    std::lock_guard lock(m_mutex);
    return m_messages;
  }

 private:
  template <typename F>
  void Note(F change) {
    std::lock_guard lock(m_mutex);
    change(*this);
    m_changed.notify_all();
  }
  template <typename F>
  bool Wait(F done) {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::seconds(10), done);
  }

  mosquitto* m_mosq;
  std::mutex m_mutex;
  std::condition_variable m_changed;
  bool m_subscribed = false;
  std::vector<Message> m_messages;
};

TEST(MqttSend, PublishesTheMessageJsonToTheSignsTopic) {
  MosquittoBroker broker;
  ASSERT_TRUE(broker.Start()) << broker.Error();
  Subscriber gateway(broker.Port());
  ASSERT_TRUE(gateway.WaitSubscribed());
  const std::string at = "127.0.0.1:" + std::to_string(broker.Port());

  CliRun own = RunTool({"send", "--mqtt", at, "--sign", "hall", "--effect", "blink", "5 €"});
  ASSERT_EQ(own.exitCode, kExitOk) << own.err;
  CliRun addressed = RunTool(
      {"send", "--mqtt", at, "--sign", "dock", "--prefix", "plant", "--address", "unit", "--unit", "5", "^K1B"});
  ASSERT_EQ(addressed.exitCode, kExitOk) << addressed.err;

  std::vector<Subscriber::Message> got = gateway.WaitMessages(2);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].topic, "marquee/signs/hall/message/set");
  nlohmann::json first = nlohmann::json::parse(got[0].payload);
  EXPECT_EQ(first["id"].get<std::string>() + "\n", own.out) << "the printed id is the one sent";
  EXPECT_EQ(first["text"], "5 €");
  EXPECT_EQ(first["effect"], "blink");
  EXPECT_FALSE(first.contains("address")) << "without --address the sign's own address is used";
  EXPECT_EQ(got[1].topic, "plant/signs/dock/message/set");
  nlohmann::json second = nlohmann::json::parse(got[1].payload);
  EXPECT_EQ(second["address"], "unit");
  EXPECT_EQ(second["unit"], 5);
  EXPECT_NE(second["id"], first["id"]);

  broker.Stop();
  CliRun down = RunTool({"send", "--mqtt", at, "--sign", "hall", "HI"});
  EXPECT_EQ(down.exitCode, kExitFailure);
  EXPECT_NE(down.err.find("unreachable"), std::string::npos) << down.err;
}

TEST(MqttSend, ABrokerThatNeverAnswersTimesOut) {
  LoopbackListener silent("127.0.0.10");  // takes the connection, never answers
  ASSERT_TRUE(silent.ok());
  CliRun run = RunTool({"send", "--mqtt", "127.0.0.10:49999", "--sign", "hall", "--timeout", "1", "HI"});
  EXPECT_EQ(run.exitCode, kExitFailure);
  EXPECT_NE(run.err.find("time-out"), std::string::npos) << run.err;
}

TEST(MqttSend, OptionsOfTheOtherRoadAreErrors) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"send", "--mqtt", "127.0.0.1", "--sign", "a", "--port", "ttyS0", "HI"},
                                             {"send", "--mqtt", "127.0.0.1", "HI"},
                                             {"send", "--mqtt", "127.0.0.1:0", "--sign", "a", "HI"},
                                             {"send", "--mqtt", "127.0.0.1", "--sign", "a/b", "HI"},
                                             {"send", "--sign", "a", "^A000000HI"},
                                             {"send", "--effect", "blink", "^A000000HI"}}) {
    EXPECT_EQ(RunTool(args).exitCode, kExitUsage) << args[2] << " " << args[3];
  }
}

}  // namespace
