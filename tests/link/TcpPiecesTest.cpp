#include <gtest/gtest.h>

#include "link/TcpPieces.h"

TEST(TcpPieces, SplitsInto160BytePieces) {
  auto sizes = [](size_t length) {
    std::string text(length, 'x');
    std::vector<size_t> result;
    for (std::string_view piece : SplitIntoPieces(text)) result.push_back(piece.size());
    return result;
  };
  EXPECT_EQ(sizes(400), (std::vector<size_t>{160, 160, 80}));
  EXPECT_EQ(sizes(160), (std::vector<size_t>{160}));
  EXPECT_EQ(sizes(161), (std::vector<size_t>{160, 1}));
  EXPECT_TRUE(sizes(0).empty());
}

TEST(TcpPieces, PiecesCoverTheTextInOrder) {
  std::string text;
  for (int i = 0; i < 1000; ++i) text += static_cast<char>(i % 256);
  std::string joined;
  for (std::string_view piece : SplitIntoPieces(text)) joined += piece;
  EXPECT_EQ(joined, text);
}

TEST(TcpPieces, DottedAddressFirstOctetFirst) {
  EXPECT_EQ(DottedAddress({192, 168, 0, 5}), "192.168.0.5");
  EXPECT_EQ(DottedAddress({255, 255, 255, 255}), "255.255.255.255");
}

TEST(TcpPieces, SocketErrorText) {
  EXPECT_EQ(FormatSocketErrorText("Connect", 111, "Connection refused"), "Connect error : Connection refused");
  EXPECT_EQ(FormatSocketErrorText("Send timeout", 0, "ignored"), "Send timeout error");
}
