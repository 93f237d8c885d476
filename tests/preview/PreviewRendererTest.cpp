#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "PreviewLines.h"
#include "preview/FrameText.h"
#include "preview/PreviewRenderer.h"

namespace {

constexpr int kRed1x10 = 0;
constexpr int kRed2x20 = 3;
constexpr int kRed4x40 = 6;
constexpr int kTricolor1x10 = 7;
constexpr int kTricolor4x20 = 12;
constexpr int kTricolor4x40 = 13;

PreviewSettings Settings(int model, int position = kPositionDefault, int effect = kEffectDefault) {
  PreviewSettings settings;
  settings.model = model;
  settings.position = position;
  settings.effect = effect;
  return settings;
}

std::vector<std::string> Render(const std::vector<LINE1_PROP>& lines, const PreviewSettings& settings,
                                PaintState state = {}) {
  return FrameDotRows(RenderPreviewFrame(lines, settings, state));
}

// The dot column of the leftmost lit dot in a row range, or -1.
int FirstLitColumn(const std::vector<std::string>& dots, size_t firstRow = 0, size_t endRow = 1000) {
  int first = -1;
  for (size_t row = firstRow; row < std::min(endRow, dots.size()); ++row) {
    const size_t at = dots[row].find_first_not_of('.');
    if (at != std::string::npos && (first < 0 || static_cast<int>(at) < first)) first = static_cast<int>(at);
  }
  return first;
}

bool RowsDark(const std::vector<std::string>& dots, size_t firstRow, size_t endRow) {
  for (size_t row = firstRow; row < endRow; ++row)
    if (dots.at(row).find_first_not_of('.') != std::string::npos) return false;
  return true;
}

TEST(PreviewRenderer, DrawsTheGlyphDotsAtTheTopLeft) {
  const auto dots = Render({TextLine("A")}, Settings(kRed1x10));
  ASSERT_EQ(dots.size(), 8u);
  ASSERT_EQ(dots[0].size(), 60u);
  const std::vector<std::string> a{"......", ".RRR..", "R...R.", "R...R.", "R...R.", "RRRRR.", "R...R.", "R...R."};
  for (size_t row = 0; row < 8; ++row) EXPECT_EQ(dots[row].substr(0, 6), a[row]) << row;
  EXPECT_EQ(FirstLitColumn({dots[1].substr(6)}), -1);
}

TEST(PreviewRenderer, DotsLieOnTheDotGridOnceEach) {
  std::vector<LINE1_PROP> lines;
  for (int size = 1; size <= 4; ++size) lines.push_back(TextLine("@W#&", size, kColorYellow) + TextLine("Mg", 5));
  const PreviewFrame frame = RenderPreviewFrame(lines, Settings(kTricolor4x40, kPositionCenter, kEffectScrollOnce), {});
  std::set<std::pair<int, int>> seen;
  for (const LitDot& dot : frame.dots) {
    EXPECT_EQ(dot.x % 4, 0);
    EXPECT_EQ(dot.y % 4, 0);
    EXPECT_TRUE(seen.emplace(dot.x, dot.y).second) << dot.x << "," << dot.y;
  }
  EXPECT_GT(seen.size(), 100u);
}

TEST(PreviewRenderer, DotRowsShowColoursByTheirRedAndGreenParts) {
  const PreviewFrame frame{8, 4, {{0, 0, kColorGreen}, {4, 0, 0x0080FF}}, 0};
  EXPECT_EQ(FrameDotRows(frame), std::vector<std::string>{"GY"});
  EXPECT_EQ(FrameDotRows({8, 4, {{0, 0, 0xFF0000}, {4, 0, 0x000001}}, 0}), std::vector<std::string>{".R"});
}

TEST(PreviewRenderer, MatrixSizeFollowsTheModel) {
  const PreviewFrame small = RenderPreviewFrame({}, Settings(kRed1x10), {});
  EXPECT_EQ(small.width, 240);
  EXPECT_EQ(small.height, 32);
  EXPECT_TRUE(small.dots.empty());
  const PreviewFrame big = RenderPreviewFrame({}, Settings(kTricolor4x40), {});
  EXPECT_EQ(big.width, 480);
  EXPECT_EQ(big.height, 128);
  const PreviewFrame unknown = RenderPreviewFrame(std::vector<LINE1_PROP>{TextLine("A")}, Settings(14), {});
  EXPECT_EQ(unknown.width, 0);
  EXPECT_TRUE(unknown.dots.empty());
}

TEST(PreviewRenderer, RedOnlyModelsDrawEveryColourRedAndTricolorOnesTheColourSent) {
  // Black and blue come only with pasted text; they are sent as red.
  const std::vector<LINE1_PROP> lines{TextLine("H", 1, kColorGreen) + TextLine("H", 1, kColorYellow) +
                                      TextLine("H", 1, 0x000000) + TextLine("H", 1, 0xFF0000)};
  const auto red = Render(lines, Settings(kRed1x10));
  const auto tricolor = Render(lines, Settings(kTricolor1x10));
  EXPECT_EQ(red[1].substr(0, 24), "R...R.R...R.R...R.R...R.");
  EXPECT_EQ(tricolor[1].substr(0, 24), "G...G.Y...Y.R...R.R...R.");
}

TEST(PreviewRenderer, SmallCharactersSitOnTheBottomOfATallLine) {
  const auto dots = Render({TextLine("W", 2) + TextLine("ii")}, Settings(kRed2x20));
  EXPECT_EQ(FirstLitColumn(dots, 2, 4), 0);  // the size-2 glyph starts on the top line
  for (size_t row = 0; row < 9; ++row) EXPECT_EQ(dots[row].substr(12, 12), std::string(12, '.')) << row;
  EXPECT_NE(dots[15].substr(12, 12), std::string(12, '.'));  // the i's stand on the bottom row
}

TEST(PreviewRenderer, CenterOnTenColumns) {
  // 3 characters get 3 blanks in front, so they start in column 4; so do 4.
  EXPECT_EQ(FirstLitColumn(Render({TextLine("HHH")}, Settings(kRed1x10, kPositionCenter))), 3 * 6);
  EXPECT_EQ(FirstLitColumn(Render({TextLine("HHHH")}, Settings(kRed1x10, kPositionCenter))), 3 * 6);
  // 12 characters get none and lose their last 2.
  const auto dots = Render({TextLine("HHHHHHHHHHHH")}, Settings(kTricolor1x10, kPositionCenter));
  EXPECT_EQ(FirstLitColumn(dots), 0);
  EXPECT_EQ(dots[4], "RRRRR.RRRRR.RRRRR.RRRRR.RRRRR.RRRRR.RRRRR.RRRRR.RRRRR.RRRRR.");
}

TEST(PreviewRenderer, StartingAtLineTwoColumnThree) {
  PreviewSettings settings = Settings(kTricolor4x20, kPositionStartingAt);
  settings.startLine = 2;
  settings.startColumn = 3;
  const auto dots = Render({TextLine("H"), TextLine("H")}, settings);
  EXPECT_TRUE(RowsDark(dots, 0, 8));
  EXPECT_EQ(FirstLitColumn(dots, 8, 16), 12);
  EXPECT_EQ(FirstLitColumn(dots, 16, 24), 12);
  EXPECT_TRUE(RowsDark(dots, 24, 32));
}

// The first line's bottom goes on the start line even when the line is higher than that.
TEST(PreviewRenderer, StartingAtCutsATallerFirstLineAtTheTop) {
  PreviewSettings settings = Settings(kTricolor4x20, kPositionStartingAt);
  settings.startLine = 2;
  const auto dots = Render({TextLine("L", 3), TextLine("L")}, settings);
  const auto unmoved = Render({TextLine("L", 3)}, Settings(kTricolor4x20));
  // Rows 32..95 of the size-3 box land on rows 0..63: the bottom two thirds.
  for (size_t row = 0; row < 16; ++row) EXPECT_EQ(dots[row], unmoved[row + 8]) << row;
  EXPECT_FALSE(RowsDark(dots, 16, 24));  // the second line on marquee line 3
  EXPECT_TRUE(RowsDark(dots, 24, 32));
}

TEST(PreviewRenderer, AnEmptyLineTakesNoHeight) {
  const auto withEmpty = Render({TextLine("A"), LINE1_PROP{}, TextLine("B")}, Settings(kTricolor4x20));
  const auto without = Render({TextLine("A"), TextLine("B")}, Settings(kTricolor4x20));
  EXPECT_EQ(withEmpty, without);
  EXPECT_FALSE(RowsDark(without, 8, 16));
}

TEST(PreviewRenderer, BlinkRules) {
  const std::vector<LINE1_PROP> lines{TextLine("A", 1, kColorRed, 1) + TextLine("B")};
  auto litCharacters = [&](int effect, bool blinkOn) {
    const auto dots = Render(lines, Settings(kRed1x10, kPositionDefault, effect), {1, 1, blinkOn, 0});
    std::string shown;
    shown += dots[3].substr(0, 6) != "......" ? 'A' : '-';
    shown += dots[3].substr(6, 6) != "......" ? 'B' : '-';
    return shown;
  };
  EXPECT_EQ(litCharacters(kEffectDefault, true), "AB");
  EXPECT_EQ(litCharacters(kEffectDefault, false), "-B");
  EXPECT_EQ(litCharacters(kEffectBlink, true), "AB");
  EXPECT_EQ(litCharacters(kEffectBlink, false), "--");
  EXPECT_EQ(litCharacters(kEffectBlinkOff, false), "AB");
  // Only the low byte of the blink flag counts.
  const std::vector<LINE1_PROP> high{{{1, 'A', kColorRed, 0x100}}};
  EXPECT_EQ(Render(high, Settings(kRed1x10), {1, 1, false, 0})[1].substr(0, 6), ".RRR..");
}

TEST(PreviewRenderer, ScrollingShiftsLeftOneColumnPerPaint) {
  const std::vector<LINE1_PROP> lines{TextLine("II")};
  const PreviewSettings settings = Settings(kRed1x10, kPositionDefault, kEffectScrollOnce);
  PaintState state;
  std::vector<int> firstColumns;
  for (int paint = 0; paint < 5; ++paint) {
    const PreviewFrame frame = RenderPreviewFrame(lines, settings, state);
    firstColumns.push_back(FirstLitColumn(FrameDotRows(frame)));
    state.scrollStep = frame.scrollStep;
  }
  EXPECT_EQ(firstColumns, (std::vector<int>{1, 1, -1, 1, 1}));
}

TEST(PreviewRenderer, TheFirstVisibleCharacterIsCutAtTheLeftEdge) {
  // Shifted by one column, a size-2 "H" shows only its right half at the left edge.
  const std::vector<LINE1_PROP> lines{TextLine("H", 2)};
  const auto whole = Render(lines, Settings(kRed2x20));
  const PreviewSettings scrolling = Settings(kRed2x20, kPositionDefault, kEffectScrollRepeatedly);
  const auto cut = Render(lines, scrolling, {1, 1, true, 1});
  for (size_t row = 0; row < 16; ++row) EXPECT_EQ(cut[row].substr(0, 6), whole[row].substr(6, 6)) << row;
}

TEST(PreviewRenderer, HorizontalBarScrollsFortyCharacterModels) {
  std::string text;
  for (int i = 0; i < 40; ++i) text += static_cast<char>('A' + i % 26);
  const std::vector<LINE1_PROP> lines{TextLine(text)};
  const auto atStart = Render(lines, Settings(kRed4x40));
  const auto scrolled = Render(lines, Settings(kRed4x40), {3, 1, true, 0});
  EXPECT_EQ(scrolled[4].substr(0, 108), atStart[4].substr(12, 108));
  // The bar cannot go past 21: the last 20 characters are in view.
  EXPECT_EQ(Render(lines, Settings(kRed4x40), {99, 1, true, 0}), Render(lines, Settings(kRed4x40), {21, 1, true, 0}));
  // Models without a bar ignore the position.
  EXPECT_EQ(Render(lines, Settings(kRed2x20), {5, 7, true, 0}), Render(lines, Settings(kRed2x20)));
}

TEST(PreviewRenderer, SizeFiveUnderScrollingIsDrawnOneLineDown) {
  const std::vector<LINE1_PROP> lines{TextLine("H", 5)};
  const auto dots = Render(lines, Settings(kTricolor4x20, kPositionDefault, kEffectScrollOnce));
  EXPECT_TRUE(RowsDark(dots, 0, 12));  // line 1 and the glyph's dark top rows
  EXPECT_FALSE(RowsDark(dots, 12, 32));
  EXPECT_EQ(FirstLitColumn(dots), 0);
  // Under a static effect the line exceeds every model and is cut.
  EXPECT_TRUE(RenderPreviewFrame(lines, Settings(kTricolor4x20), {}).dots.empty());
}

TEST(PreviewRenderer, SizeFiveAdvancesTwoColumns) {
  const auto dots = Render({TextLine("HH", 5)}, Settings(kTricolor4x20, kPositionDefault, kEffectScrollOnce));
  std::vector<std::string> right;
  for (const std::string& row : dots) right.push_back(row.substr(12));
  EXPECT_EQ(FirstLitColumn(right), 0);  // the second "H" starts in column 3
}

TEST(PreviewRenderer, AnimationHidesBlinkingOnTheFirstPaintAndRestartKeepsThePhase) {
  const std::vector<LINE1_PROP> lines{TextLine("AA", 1, kColorRed, 1)};
  const PreviewSettings settings = Settings(kRed1x10, kPositionDefault, kEffectScrollRepeatedly);
  CPreviewAnimation animation;
  EXPECT_TRUE(animation.NextFrame(lines, settings, 1, 1).dots.empty());
  EXPECT_FALSE(animation.NextFrame(lines, settings, 1, 1).dots.empty());  // shifted by 1, still partly in view
  animation.ResetScrollStep();
  const PreviewFrame afterRestart = animation.NextFrame(lines, settings, 1, 1);
  EXPECT_TRUE(afterRestart.dots.empty());  // hidden phase again: the restart did not reset it
  EXPECT_EQ(afterRestart.scrollStep, 1);
}

}  // namespace
