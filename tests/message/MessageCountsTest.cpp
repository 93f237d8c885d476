#include <gtest/gtest.h>

#include "message/EditorAttributes.h"
#include "message/MessageCounts.h"

namespace {

LINE1_PROP Sized(std::initializer_list<int> sizes) {
  LINE1_PROP line;
  for (int size : sizes) line.push_back({size, 'x', kColorRed, 0});
  return line;
}

TEST(CountMessage, LinesCharactersAndCaret) {
  struct Case {
    const char* what;
    std::vector<LINE1_PROP> lines;
    size_t caretLine;
    size_t caretChar;
    MessageCounts expected;
  };
  const Case cases[] = {
      {"no lines at all", {}, 0, 0, {0, 0, 0, 0}},
      {"an empty editor: one empty line of height 1", {{}}, 0, 0, {1, 0, 1, 0}},
      {"sizes 1 and 2 in a line: 2 lines high, 3 columns wide", {Sized({1, 2})}, 0, 2, {2, 3, 2, 3}},
      {"AB and XY, caret before X: column 0, both lines' heights", {Sized({1, 1}), Sized({1, 1})}, 1, 0, {2, 4, 2, 0}},
      {"caret at the end of the first of two lines", {Sized({1, 1}), Sized({1, 1})}, 0, 2, {2, 4, 1, 2}},
      {"the caret line adds the heights up to its own", {Sized({4}), {}, Sized({1, 2, 1})}, 2, 2, {7, 8, 7, 3}},
      {"size 5 counts 5 in both directions", {Sized({5, 1})}, 0, 1, {5, 6, 5, 5}},
      {"a caret beyond the text counts at the end", {Sized({2, 2})}, 4, 9, {2, 4, 2, 4}},
  };
  for (const Case& c : cases) EXPECT_EQ(CountMessage(c.lines, c.caretLine, c.caretChar), c.expected) << c.what;
}

TEST(EditorAttributes, PointSizesAndColourIndexes) {
  const int sizes[] = {1, 2, 3, 4, 5};
  const int points[] = {7, 21, 35, 49, 42};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(PointSizeOfSize(sizes[i]), points[i]);
    EXPECT_EQ(SizeOfPointSize(points[i]), sizes[i]);
  }
  EXPECT_EQ(PointSizeOfSize(0), 7);
  EXPECT_EQ(PointSizeOfSize(6), 7);
  for (int other : {0, 8, 12, 22, 48, 50}) EXPECT_EQ(SizeOfPointSize(other), 1) << other;

  EXPECT_EQ(ColorOfIndex(1), kColorRed);
  EXPECT_EQ(ColorOfIndex(2), kColorYellow);
  EXPECT_EQ(ColorOfIndex(3), kColorGreen);
  EXPECT_EQ(ColorOfIndex(4), kColorRed);
  EXPECT_EQ(ColorIndexOf(kColorRed), 1);
  EXPECT_EQ(ColorIndexOf(kColorYellow), 2);
  EXPECT_EQ(ColorIndexOf(kColorGreen), 3);
  EXPECT_EQ(ColorIndexOf(0xFF0000), 3) << "any other colour shows as the third entry";
}

}  // namespace
