#include <gtest/gtest.h>

#include "live/RefreshGate.h"
#include "message/MsgAttributes.h"

TEST(RefreshGate, SendsChangesOnlyAndAtMostOncePerInterval) {
  RefreshGate gate(2000);
  EXPECT_EQ(gate.Offer("A", 0).verdict, RefreshGate::Verdict::SendNow);
  gate.Sent("A", 0);
  EXPECT_EQ(gate.Offer("A", 5000).verdict, RefreshGate::Verdict::Unchanged);
  RefreshGate::Decision early = gate.Offer("B", 500);
  EXPECT_EQ(early.verdict, RefreshGate::Verdict::Later);
  EXPECT_EQ(early.at, 2000);
  EXPECT_EQ(gate.Offer("C", 2000).verdict, RefreshGate::Verdict::SendNow);  // the latest value at the end
  gate.Sent("C", 2000);
  EXPECT_EQ(gate.Offer("A", 2100).at, 4000);
}

TEST(RefreshGate, RefreshesNeverSaveToFlash) {
  MessageCodes codes;
  codes.flashMode = kFlashSave;
  EXPECT_EQ(RefreshCodes(codes).flashMode, kFlashNothing);
  codes.flashMode = kFlashClear;
  EXPECT_EQ(RefreshCodes(codes).flashMode, kFlashClear);
}
