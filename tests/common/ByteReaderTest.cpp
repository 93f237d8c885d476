#include <gtest/gtest.h>

#include "common/ByteReader.h"
#include "common/LsbMsb.h"

TEST(ByteReader, ReadsBothByteOrders) {
  ByteReader reader(std::string_view("\x12\x34\x12\x34\x01\x02\x03\x04\xff", 9));
  uint16_t be = 0, le = 0;
  uint32_t be32 = 0;
  uint8_t byte = 0;
  ASSERT_TRUE(reader.ReadBE16(be));
  ASSERT_TRUE(reader.ReadLE16(le));
  ASSERT_TRUE(reader.ReadBE32(be32));
  ASSERT_TRUE(reader.ReadU8(byte));
  EXPECT_EQ(be, 0x1234);
  EXPECT_EQ(le, 0x3412);
  EXPECT_EQ(be32, 0x01020304u);
  EXPECT_EQ(byte, 0xff);
  EXPECT_TRUE(reader.atEnd());
}

TEST(ByteReader, FailedReadsDoNotMoveTheCursor) {
  ByteReader reader(std::string_view("\x01\x02\x03", 3));
  uint32_t value = 7;
  EXPECT_FALSE(reader.ReadBE32(value));
  EXPECT_EQ(value, 7u);
  EXPECT_EQ(reader.position(), 0u);
  EXPECT_FALSE(reader.Skip(4));
  EXPECT_TRUE(reader.Skip(3));
  uint8_t byte;
  EXPECT_FALSE(reader.ReadU8(byte));
}

TEST(LsbMsb, KeepsTheLowSixteenBits) {
  CLsbMsb value(0x12345);
  EXPECT_EQ(value.lsb, 0x45);
  EXPECT_EQ(value.msb, 0x23);
  EXPECT_EQ(value.Get(), 0x2345);
  EXPECT_EQ(CLsbMsb(0x01, 0x02).Get(), 0x0201);
}
