#include <gtest/gtest.h>

#include "netsetup/ByteOrderCode.h"

namespace {

TEST(ByteOrderCode, JoinsAndSplitsBothChoices) {
  struct Case {
    MessageByteOrder message;
    CountByteOrder count;
    int code;
  };
  const Case cases[] = {
      {MessageByteOrder::Char1Char2, CountByteOrder::HighLow, 0},
      {MessageByteOrder::Char2Char1, CountByteOrder::HighLow, 1},
      {MessageByteOrder::Char1Char2, CountByteOrder::LowHigh, 2},
      {MessageByteOrder::Char2Char1, CountByteOrder::LowHigh, 3},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MakeByteOrderCode(c.message, c.count), c.code);
    EXPECT_EQ(GetMessageByteOrder(c.code), c.message);
    EXPECT_EQ(GetCountByteOrder(c.code), c.count);
  }
}

}  // namespace
