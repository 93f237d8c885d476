#include "gateway/SendQueues.h"

#include <gtest/gtest.h>

namespace {

QueueConfig Config() {
  QueueConfig config;
  config.retryAttempts = 4;
  config.maxAgeSeconds = 100;
  config.backoffInitialMs = 1000;
  config.backoffMaxMs = 3000;
  config.maxParallel = 2;
  return config;
}

SendQueues::Entry Message(int64_t id, GatewayTime created = 0) {
  return {id, created, std::nullopt, 0, 0};
}

std::vector<size_t> SignsOf(const std::vector<SendQueues::Launch>& launches) {
  std::vector<size_t> signs;
  for (const auto& l : launches) signs.push_back(l.sign);
  return signs;
}

TEST(SendQueues, OneSendPerSignAndPerLaneAndNoMoreThanTheSlots) {
  // Signs 1 and 2 share a serial port; sign 3 is busy behind the slot limit.
  SendQueues queues({"tcp:a", "serial:ttyUSB0", "serial:ttyUSB0", "tcp:b"}, Config());
  for (size_t sign = 0; sign < 4; ++sign) queues.Add(sign, Message(static_cast<int64_t>(sign + 1)), false);
  queues.Add(0, Message(9), false);
  EXPECT_EQ(SignsOf(queues.TakeReady(0, 8)), (std::vector<size_t>{0, 1, 3}));
  EXPECT_TRUE(queues.TakeReady(0, 8).empty()) << "sign 0's second message waits for its first";
  queues.Finish(1, true, 0);
  EXPECT_EQ(SignsOf(queues.TakeReady(0, 1)), (std::vector<size_t>{2})) << "the port is free again";
  queues.Finish(0, true, 0);
  EXPECT_EQ(queues.TakeReady(0, 1).at(0).entry.id, 9) << "order per sign is kept";
}

TEST(SendQueues, FailedSendsWaitLongerEachTimeUntilTheAttemptsAreUsedUp) {
  SendQueues queues({"tcp:a"}, Config());
  queues.Add(0, Message(1), false);
  GatewayTime now = 0;
  const int64_t pauses[] = {1000, 2000, 3000};
  for (int64_t pause : pauses) {
    ASSERT_EQ(queues.TakeReady(now, 1).size(), 1u);
    EXPECT_FALSE(queues.Finish(0, false, now).done);
    EXPECT_TRUE(queues.TakeReady(now + pause - 1, 1).empty());
    EXPECT_EQ(queues.NextWake(now), now + pause);
    now += pause;
  }
  ASSERT_EQ(queues.TakeReady(now, 1).size(), 1u);
  const SendQueues::Finished last = queues.Finish(0, false, now);
  EXPECT_TRUE(last.done);
  EXPECT_EQ(last.attempts, 4);
  EXPECT_EQ(queues.Depth(0), 0);
}

TEST(SendQueues, SupersedeSparesTheMessageInFlight) {
  SendQueues queues({"tcp:a"}, Config());
  queues.Add(0, Message(1), false);
  queues.TakeReady(0, 1);
  queues.Add(0, Message(2), false);
  const auto dropped = queues.Add(0, Message(3), true);
  ASSERT_EQ(dropped.size(), 1u);
  EXPECT_EQ(dropped[0].id, 2);
  EXPECT_EQ(dropped[0].state, MessageState::kSuperseded);
  EXPECT_EQ(queues.Depth(0), 2);
}

TEST(SendQueues, DropsExpiredAndTooOldMessagesButNotTheOneInFlight) {
  SendQueues queues({"tcp:a", "tcp:b"}, Config());
  queues.Add(0, {1, 0, 50, 0, 0}, false);
  queues.TakeReady(0, 1);  // in flight past its expiry: its send decides
  queues.Add(0, {2, 0, 50, 0, 0}, false);
  queues.Add(1, Message(3, 0), false);
  queues.Add(1, Message(4, 10), false);
  queues.TakeReady(0, 2);
  queues.Finish(1, false, 0);
  EXPECT_EQ(queues.NextWake(0), 50);
  const auto dropped = queues.DropStale(100 * 1000);
  ASSERT_EQ(dropped.size(), 2u);
  EXPECT_EQ(dropped[0].id, 2);
  EXPECT_EQ(dropped[0].state, MessageState::kExpired);
  EXPECT_EQ(dropped[1].id, 3);
  EXPECT_EQ(dropped[1].state, MessageState::kFailed) << "age bound reached";
  EXPECT_EQ(queues.Depth(0), 1);
  EXPECT_EQ(queues.Depth(1), 1);
}

}  // namespace
