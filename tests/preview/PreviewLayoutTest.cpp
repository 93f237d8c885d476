#include <gtest/gtest.h>

#include <vector>

#include "PreviewLines.h"
#include "preview/PreviewLayout.h"

namespace {

constexpr MODEL_PROP kModel2x10{2, 10, 0};
constexpr MODEL_PROP kModel4x20{4, 20, 1};

PreviewSettings Settings(int position, int effect = kEffectDefault) {
  PreviewSettings settings;
  settings.position = position;
  settings.effect = effect;
  return settings;
}

TEST(PreviewLayout, CenterPutsHalfTheFreeColumnsInFront) {
  const std::vector<LINE1_PROP> lines{TextLine("abc"), TextLine("abcd"), TextLine("abcdefghijkl")};
  const MessageLayout layout = LayOutMessage(lines, Settings(kPositionCenter), {4, 10, 0}, 0);
  ASSERT_EQ(layout.lines.size(), 3u);
  EXPECT_EQ(layout.lines[0].blanks, 3);
  EXPECT_EQ(layout.lines[1].blanks, 3);
  EXPECT_EQ(layout.lines[2].blanks, 0);
  EXPECT_EQ(layout.lines[2].chars.size(), 10u);  // cut after its 10th character
}

TEST(PreviewLayout, CenteredEmptyLineGetsBlanksAndSoAHeight) {
  const std::vector<LINE1_PROP> lines{LINE1_PROP{}};
  const MessageLayout layout = LayOutMessage(lines, Settings(kPositionCenter), kModel2x10, 0);
  EXPECT_EQ(layout.lines[0].blanks, 5);
  EXPECT_EQ(layout.lines[0].Height(), 1);
  EXPECT_EQ(LayOutMessage(lines, Settings(kPositionDefault), kModel2x10, 0).lines[0].Height(), 0);
}

TEST(PreviewLayout, StartingAtMovesTheFirstLineAndIndentsEveryLine) {
  PreviewSettings settings = Settings(kPositionStartingAt);
  settings.startLine = 2;
  settings.startColumn = 3;
  const std::vector<LINE1_PROP> small{TextLine("ab"), TextLine("cd")};
  MessageLayout layout = LayOutMessage(small, settings, kModel4x20, 0);
  EXPECT_EQ(layout.top, 32);
  EXPECT_EQ(layout.lines[0].blanks, 2);
  EXPECT_EQ(layout.lines[1].blanks, 2);

  // A size-2 first line on start line 2 occupies lines 1 and 2.
  const std::vector<LINE1_PROP> tall{TextLine("ab", 2)};
  EXPECT_EQ(LayOutMessage(tall, settings, kModel4x20, 0).top, 0);
  // A first line higher than the start line is cut at the top.
  const std::vector<LINE1_PROP> taller{TextLine("ab", 4)};
  EXPECT_EQ(LayOutMessage(taller, settings, kModel4x20, 0).top, -64);

  settings.startLine = 1;
  settings.startColumn = 1;
  layout = LayOutMessage(tall, settings, kModel4x20, 0);
  EXPECT_EQ(layout.top, 0);
  EXPECT_EQ(layout.lines[0].blanks, 0);
}

TEST(PreviewLayout, StaticEffectsCutLinesByHeightAndCharactersByWidth) {
  const std::vector<LINE1_PROP> lines{TextLine("a"), TextLine("bb", 2), TextLine("c")};
  MessageLayout layout = LayOutMessage(lines, Settings(kPositionDefault), kModel4x20, 0);
  EXPECT_EQ(layout.lines.size(), 3u);  // heights 1 + 2 + 1 = 4 fit
  layout = LayOutMessage(lines, Settings(kPositionDefault), kModel2x10, 0);
  EXPECT_EQ(layout.lines.size(), 1u);  // 1 + 2 exceeds 2 lines: the size-2 line and all after it go

  // Never more lines than the model has, even empty ones.
  const std::vector<LINE1_PROP> empties{LINE1_PROP{}, LINE1_PROP{}, TextLine("x")};
  EXPECT_EQ(LayOutMessage(empties, Settings(kPositionDefault), kModel2x10, 0).lines.size(), 2u);

  // A size-2 character in column 10 of a 10-column line no longer fits.
  const std::vector<LINE1_PROP> wide{TextLine("123456789") + TextLine("W", 2) + TextLine("z")};
  layout = LayOutMessage(wide, Settings(kPositionDefault), kModel2x10, 0);
  EXPECT_EQ(layout.lines[0].chars.size(), 9u);
  EXPECT_EQ(layout.lines[0].Height(), 1);
}

TEST(PreviewLayout, SizeFiveCountsFiveColumnsAndFiveLines) {
  const std::vector<LINE1_PROP> lines{TextLine("12"), TextLine("A", 5), TextLine("3")};
  const MessageLayout cut = LayOutMessage(lines, Settings(kPositionDefault), kModel4x20, 0);
  EXPECT_EQ(cut.lines.size(), 1u);  // the size-5 line exceeds every model, and the lines after it go too

  const std::vector<LINE1_PROP> one{TextLine("AB", 5)};
  const MessageLayout centred = LayOutMessage(one, Settings(kPositionCenter), kModel4x20, 0);
  EXPECT_EQ(centred.lines[0].blanks, 5);  // (20 − 10) / 2
  EXPECT_EQ(centred.lines[0].Height(), 5);
}

TEST(PreviewLayout, ScrollingNeitherCutsNorCentresAway) {
  const std::vector<LINE1_PROP> lines{TextLine("a"), TextLine("b"), TextLine("c"), TextLine("0123456789ABCDEFGHIJK")};
  const MessageLayout layout = LayOutMessage(lines, Settings(kPositionDefault, kEffectScrollRepeatedly), kModel2x10, 0);
  EXPECT_EQ(layout.lines.size(), 4u);
  EXPECT_EQ(layout.lines[3].chars.size(), 21u);
}

std::vector<int64_t> Shifts(int effect, const std::vector<LINE1_PROP>& lines, int paints) {
  std::vector<int64_t> shifts;
  int64_t step = 0;
  for (int i = 0; i < paints; ++i) {
    const MessageLayout layout = LayOutMessage(lines, Settings(kPositionDefault, effect), kModel2x10, step);
    shifts.push_back(layout.shift);
    step = layout.scrollStep;
  }
  return shifts;
}

TEST(PreviewLayout, ScrollStepsRunThroughTheWidestLine) {
  const std::vector<LINE1_PROP> lines{TextLine("abc"), TextLine("abcde")};
  EXPECT_EQ(Shifts(kEffectScrollRepeatedly, lines, 9), (std::vector<int64_t>{0, 1, 2, 3, 4, 5, 0, 1, 2}));
  EXPECT_EQ(Shifts(kEffectScrollOnce, lines, 9), (std::vector<int64_t>{0, 1, 2, 3, 4, 5, 0, 0, 0}));
  EXPECT_EQ(Shifts(kEffectDefault, lines, 3), (std::vector<int64_t>{0, 0, 0}));
}

TEST(PreviewLayout, WidthCountsBlanksForScrolling) {
  PreviewSettings settings = Settings(kPositionStartingAt, kEffectScrollRepeatedly);
  settings.startColumn = 4;
  const std::vector<LINE1_PROP> lines{TextLine("ab")};
  const MessageLayout layout = LayOutMessage(lines, settings, kModel2x10, 5);
  EXPECT_EQ(layout.shift, 5);  // widest line 3 blanks + 2 characters
  EXPECT_EQ(LayOutMessage(lines, settings, kModel2x10, 6).shift, 0);
}

TEST(PreviewLayout, HugeStartColumnsAndLinesStayExact) {
  PreviewSettings settings = Settings(kPositionStartingAt, kEffectScrollRepeatedly);
  settings.startLine = 2147483647;
  settings.startColumn = 2147483647;
  const std::vector<LINE1_PROP> lines{TextLine("ab")};
  const MessageLayout layout = LayOutMessage(lines, settings, kModel2x10, 2147483647);
  EXPECT_EQ(layout.lines[0].blanks, 2147483646);
  EXPECT_EQ(layout.top, 2147483646LL * 32);
  EXPECT_EQ(layout.shift, 2147483647);
  EXPECT_EQ(layout.scrollStep, 2147483648LL);
}

TEST(PreviewLayout, NoLinesNoLayout) {
  const MessageLayout layout = LayOutMessage({}, Settings(kPositionStartingAt), kModel2x10, 3);
  EXPECT_TRUE(layout.lines.empty());
  EXPECT_EQ(layout.scrollStep, 3);
}

TEST(PreviewLayout, UnknownSizeCodesCountAsOne) {
  LINE1_PROP line{{0, 'a', kColorRed, 0}, {9, 'b', kColorRed, 0}, {-3, 'c', kColorRed, 0}};
  const LaidOutLine laid{0, line};
  EXPECT_EQ(laid.Width(), 3);
  EXPECT_EQ(laid.Height(), 1);
}

}  // namespace
