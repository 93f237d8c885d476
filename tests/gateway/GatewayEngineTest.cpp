// The engine in this process against a simulated fleet (marquee-sim --tcp-range on
// 127.0.44.1-4) and a refusing address (127.0.44.250, where nothing listens).

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThread>
#include <chrono>
#include <functional>
#include <map>

#include "gateway/Gateway.h"
#include "support/ChildProcess.h"
#include "support/TempDir.h"

namespace {

using namespace std::chrono_literals;

constexpr const char* kRefusing = "127.0.44.250";

SignConfig Tcp(const std::string& name, const std::string& address, std::vector<std::string> tags = {"all"}) {
  SignConfig sign;
  sign.name = name;
  sign.tcpAddress = address;
  sign.group = 1;
  sign.unit = 5;
  sign.tags = std::move(tags);
  return sign;
}

// Runs the event loop until done() holds or the time is up.
bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = 10s) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(2);
  }
  return true;
}

class GatewayEngine : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_sim.WaitForLine(ChildProcess::kErr, [](const std::string& line) {
      return line.find("listen tcp=127.0.44.4:") != std::string::npos;
    }));
    m_config.queue.backoffInitialMs = 20;
    m_config.queue.backoffMaxMs = 80;
    m_config.queue.retryAttempts = 3;
    for (int i = 1; i <= 4; ++i)
      m_config.signs.push_back(Tcp("s" + std::to_string(i), "127.0.44." + std::to_string(i)));
    m_config.signs.push_back(Tcp("dead", kRefusing));
  }

  std::unique_ptr<Gateway> Start() {
    auto gateway = std::make_unique<Gateway>(m_config, m_state.path().string());
    Status started = gateway->Start();
    EXPECT_TRUE(started.ok()) << started.message();
    return gateway;
  }

  // The simulator logged a whole message with this text for the sign at address.
  bool SimShows(const std::string& address, const std::string& text) {
    return m_sim
        .WaitForLine(ChildProcess::kErr,
                     [&](const std::string& line) {
                       return line.find(" message status=accepted ") != std::string::npos &&
                              line.find("text=" + text + " sign=" + address) != std::string::npos;
                     })
        .has_value();
  }

  static MessageState StateOf(Gateway& gateway, const std::string& id) { return gateway.Message(id)->state; }

  ChildProcess m_sim{
      {MARQUEE_SIM_PROGRAM, "--tcp-range", "127.0.44.1-127.0.44.4", "--group", "1", "--unit", "5", "--gap", "20"}};
  TempDir m_state;
  GatewayConfig m_config;
};

TEST_F(GatewayEngine, SendsATagToEverySignWhileAnUnreachableOneRetriesAndFails) {
  auto gateway = Start();
  SubmitResult result = gateway->Submit({SubmitTarget::Kind::kTag, "all"}, R"({"raw": "HELLO"})", "test");
  ASSERT_TRUE(result.ok());
  ASSERT_EQ(result.accepted.size(), 5u);
  EXPECT_EQ(result.accepted[0].command, "^A010005HELLO") << "the sign's own address goes in front";

  std::map<std::string, MessageInfo> finished;
  for (const AcceptedMessage& a : result.accepted)
    gateway->WhenFinished(a.id, [&finished](const MessageInfo& info) { finished[info.sign] = info; });
  ASSERT_TRUE(RunUntil([&] { return finished.size() == 5; }));

  for (int i = 1; i <= 4; ++i) {
    const std::string sign = "s" + std::to_string(i);
    EXPECT_EQ(finished[sign].state, MessageState::kSent) << sign;
    EXPECT_TRUE(SimShows("127.0.44." + std::to_string(i), "HELLO")) << sign;
    const SignState state = *gateway->Sign(sign);
    EXPECT_EQ(state.currentCommand, "^A010005HELLO");
    EXPECT_TRUE(state.lastSuccess.has_value());
    EXPECT_EQ(state.queueLength, 0);
  }
  const MessageInfo& dead = finished["dead"];
  EXPECT_EQ(dead.state, MessageState::kFailed);
  EXPECT_EQ(dead.attempts, 3);
  EXPECT_NE(dead.error.find("Connect error"), std::string::npos) << dead.error;

  const std::vector<LogRow> deadLog = gateway->Log({"dead", std::nullopt, 100});
  ASSERT_EQ(deadLog.size(), 3u) << "one row per attempt";
  EXPECT_EQ(deadLog.front().attempt, 3) << "newest first";
  EXPECT_EQ(deadLog.front().result, "failed");
  const std::vector<SignMetrics> metrics = gateway->Metrics();
  EXPECT_EQ(metrics[0].sends, 1u);
  EXPECT_EQ(metrics[4].failures, 3u);
  EXPECT_EQ(metrics[4].retries, 2u);
}

TEST_F(GatewayEngine, ANewerMessageSupersedesQueuedOnesUnlessToldNot) {
  m_config.queue.retryAttempts = 1000;
  auto gateway = Start();
  auto submit = [&](const std::string& body) {
    SubmitResult r = gateway->Submit({SubmitTarget::Kind::kSign, "dead"}, body, "test");
    EXPECT_TRUE(r.ok());
    return r.accepted.at(0).id;
  };
  // No event is processed between the three, so none is in flight yet.
  const std::string first = submit(R"({"raw": "ONE"})");
  const std::string kept = submit(R"({"raw": "TWO", "supersede": false})");
  EXPECT_EQ(StateOf(*gateway, first), MessageState::kQueued);
  MessageState seen = MessageState::kQueued;
  gateway->WhenFinished(kept, [&seen](const MessageInfo& info) { seen = info.state; });
  const std::string last = submit(R"({"raw": "THREE"})");

  EXPECT_EQ(StateOf(*gateway, first), MessageState::kSuperseded);
  EXPECT_EQ(seen, MessageState::kSuperseded) << "a waiter hears of it at once";
  EXPECT_EQ(StateOf(*gateway, last), MessageState::kQueued);
  EXPECT_EQ(gateway->Sign("dead")->queueLength, 1);
  EXPECT_EQ(gateway->Log({"dead", std::nullopt, 10}).size(), 2u) << "each superseded message is logged";
}

TEST_F(GatewayEngine, AMessagePastItsExpiryIsDroppedAndLogged) {
  m_config.queue.retryAttempts = 1000;
  auto gateway = Start();
  SubmitResult r = gateway->Submit({SubmitTarget::Kind::kSign, "dead"}, R"({"raw": "X", "expires": 0.3})", "test");
  ASSERT_TRUE(r.ok());
  ASSERT_TRUE(RunUntil([&] { return StateOf(*gateway, r.accepted[0].id) == MessageState::kExpired; }));
  EXPECT_EQ(gateway->Log({"dead", std::nullopt, 1}).at(0).result, "expired");
}

TEST_F(GatewayEngine, RefusesBadSubmissionsAndStoresNothing) {
  auto gateway = Start();
  const struct {
    SubmitTarget target;
    const char* body;
    int status;
    const char* error;
  } cases[] = {
      {{SubmitTarget::Kind::kSign, "nope"}, R"({"raw": "X"})", 404, "unknown_sign"},
      {{SubmitTarget::Kind::kTag, "nope"}, R"({"raw": "X"})", 404, "unknown_tag"},
      {{SubmitTarget::Kind::kTag, "all"}, R"({"raw": "X", "colour": 1})", 400, "unknown_field"},
      {{SubmitTarget::Kind::kTag, "all"}, R"({"raw": "X")", 400, "bad_json"},
      {{SubmitTarget::Kind::kTag, "all"}, R"({"raw": "Ω"})", 422, "unmappable_character"},
  };
  for (const auto& c : cases) {
    SubmitResult r = gateway->Submit(c.target, c.body, "test");
    ASSERT_FALSE(r.ok()) << c.body;
    EXPECT_EQ(r.error->HttpStatus(), c.status) << c.body;
    EXPECT_EQ(r.error->error, c.error) << c.body;
    EXPECT_TRUE(r.accepted.empty());
  }
  EXPECT_EQ(gateway->Message("1"), std::nullopt);
}

TEST_F(GatewayEngine, WhatARunLeftQueuedIsSentByTheNext) {
  m_config.queue.retryAttempts = 1000;
  m_config.signs = {Tcp("line", kRefusing)};
  std::string id;
  {
    auto gateway = Start();
    id = gateway->Submit({SubmitTarget::Kind::kSign, "line"}, R"({"raw": "AGAIN"})", "test").accepted.at(0).id;
  }
  m_config.signs = {Tcp("line", "127.0.44.2")};
  auto gateway = Start();
  ASSERT_TRUE(RunUntil([&] { return StateOf(*gateway, id) == MessageState::kSent; }));
  EXPECT_TRUE(SimShows("127.0.44.2", "AGAIN"));
  EXPECT_EQ(gateway->Sign("line")->currentMessageId, id);
}

}  // namespace
