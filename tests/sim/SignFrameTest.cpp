#include "sim/SignFrame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "message/InlineCodes.h"
#include "preview/FrameText.h"

TEST(SignFrame, AWideModelIsDrawnWhole) {
  // 40 characters of size 1 fill the 40-column model.
  std::string text = "^K0^dC2";
  for (int i = 0; i < 40; ++i) text += static_cast<char>('A' + i % 26);
  const std::vector<LINE1_PROP> lines = DecodeInlineLines(text);
  PreviewSettings settings;
  settings.position = kPositionDefault;
  settings.model = 13;  // "Tricolor 4 Line 40 Char"

  const PreviewFrame sign = RenderSignFrame(lines, settings, {});
  EXPECT_EQ(sign.width, 960);
  EXPECT_EQ(sign.height, 128);
  const std::vector<std::string> rows = FrameDotRows(sign);
  const std::vector<std::string> left = FrameDotRows(RenderPreviewFrame(lines, settings, {1, 1, true, 0}));
  const std::vector<std::string> right = FrameDotRows(RenderPreviewFrame(lines, settings, {21, 1, true, 0}));
  for (size_t row = 0; row < rows.size(); ++row) EXPECT_EQ(rows[row], left[row] + right[row]) << "dot row " << row;
  EXPECT_NE(rows[7].find('G', 900 / 4), std::string::npos) << "the 40th character is lit";

  // A character across the views' border is drawn once, whole.
  const std::vector<LINE1_PROP> straddling = DecodeInlineLines("^K0ABCDEFGHIJKLMNOPQRS^K1WW");
  const PreviewFrame border = RenderSignFrame(straddling, settings, {});
  const std::vector<LINE1_PROP> alone = DecodeInlineLines("^K1W");
  const PreviewFrame reference = RenderPreviewFrame(alone, settings, {});
  const auto count = [](const PreviewFrame& frame, int fromX, int toX) {
    return std::count_if(frame.dots.begin(), frame.dots.end(),
                         [&](const LitDot& dot) { return dot.x >= fromX && dot.x < toX; });
  };
  EXPECT_EQ(count(border, 19 * 24, 21 * 24), count(reference, 0, 48));
}

TEST(SignFrame, TheAnimationBlinksAndScrollsLikeThePreview) {
  const std::vector<LINE1_PROP> lines = DecodeInlineLines("^K0^X1AB");
  PreviewSettings settings;
  settings.effect = kEffectScrollRepeatedly;
  SignAnimation animation;
  CPreviewAnimation preview;
  for (int tick = 0; tick < 8; ++tick)
    EXPECT_EQ(animation.NextFrame(lines, settings).dots, preview.NextFrame(lines, settings, 1, 1).dots) << tick;
}

TEST(SignFrame, TerminalTextUsesHalfBlocksAndChangesColourOnlyWhenNeeded) {
  PreviewFrame frame;
  frame.width = 12;  // 3 dots across
  frame.height = 8;  // 2 dots down: one text row
  frame.dots = {{0, 0, kColorRed}, {4, 4, kColorGreen}, {8, 0, kColorYellow}, {8, 4, kColorYellow}};
  EXPECT_EQ(TerminalSignText(frame),
            "\033[38;5;196m\033[48;5;236m\u2580"
            "\033[38;5;236m\033[48;5;46m\u2580"
            "\033[38;5;226m\033[48;5;226m\u2580"
            "\033[0m\n");
}
