#include <gtest/gtest.h>

#include "link/TcpRules.h"

TEST(TcpRules, SplitsInto160BytePieces) {
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

TEST(TcpRules, PiecesCoverTheTextInOrder) {
  std::string text;
  for (int i = 0; i < 1000; ++i) text += static_cast<char>(i % 256);
  std::string joined;
  for (std::string_view piece : SplitIntoPieces(text)) joined += piece;
  EXPECT_EQ(joined, text);
}

TEST(TcpRules, SocketErrorText) {
  EXPECT_EQ(FormatSocketErrorText("Connect", 111, "Connection refused"), "Connect error : Connection refused");
  EXPECT_EQ(FormatSocketErrorText("Send timeout", 0, "ignored"), "Send timeout error");
}
