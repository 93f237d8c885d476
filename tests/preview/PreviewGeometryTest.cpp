#include <gtest/gtest.h>

#include "preview/PreviewGeometry.h"

namespace {

constexpr MODEL_PROP kRed1x10{1, 10, 0};
constexpr MODEL_PROP kTricolor4x40{4, 40, 1};

TEST(PreviewGeometry, SmallModelsGetASmallerMatrixAtTheLeftOfTheView) {
  const PreviewWindowLayout layout = LayOutPreviewWindow({10, 5, 530, 150}, 17, kRed1x10);
  // The 480-pixel view is centred in the 520-pixel frame; the 240 × 32 matrix keeps its left edge.
  EXPECT_EQ(layout.matrix, (PixelRect{30, 5, 270, 37}));
  EXPECT_EQ(layout.horizontal.rect, (PixelRect{30, 37, 270, 54}));
  EXPECT_EQ(layout.vertical.rect, (PixelRect{270, 5, 287, 37}));
  EXPECT_FALSE(layout.horizontal.visible);
  EXPECT_FALSE(layout.vertical.visible);
}

TEST(PreviewGeometry, FortyCharacterModelsScrollAcrossTwentyOneColumns) {
  const PreviewWindowLayout layout = LayOutPreviewWindow({0, 0, 481, 200}, 16, kTricolor4x40);
  EXPECT_EQ(layout.matrix, (PixelRect{0, 0, 480, 128}));
  EXPECT_TRUE(layout.horizontal.visible);
  EXPECT_EQ(layout.horizontal.minimum, 1);
  EXPECT_EQ(layout.horizontal.maximum, 21);
  EXPECT_EQ(layout.horizontal.page, 1);
  EXPECT_EQ(layout.horizontal.position, 1);
  EXPECT_EQ(layout.vertical.maximum, 1);
  EXPECT_FALSE(layout.vertical.visible);
}

TEST(PreviewGeometry, CentringTruncatesTowardZero) {
  // A frame narrower than the view: (479 − 480) / 2 is 0, not −1.
  EXPECT_EQ(LayOutPreviewWindow({0, 0, 479, 100}, 16, kTricolor4x40).matrix.left, 0);
  EXPECT_EQ(LayOutPreviewWindow({0, 0, 477, 100}, 16, kTricolor4x40).matrix.left, -1);
}

TEST(PreviewGeometry, NoModelShowsTheVerticalBar) {
  for (const MarqueeModel& model : kMarqueeModels) {
    EXPECT_FALSE(VerticalBarSetup(model.prop).visible) << model.comboText;
    EXPECT_EQ(HorizontalBarSetup(model.prop).visible, model.prop.charsPerLine == 40) << model.comboText;
    EXPECT_EQ(MatrixWidth(model.prop), model.prop.charsPerLine == 10 ? 240 : 480);
    EXPECT_EQ(MatrixHeight(model.prop), 32 * model.prop.lines);
  }
}

TEST(PreviewGeometry, BarsHoldPositionsInTheirRange) {
  const ScrollBarSetup shown = HorizontalBarSetup(kTricolor4x40);
  EXPECT_EQ(shown.Hold(0), 1);
  EXPECT_EQ(shown.Hold(7), 7);
  EXPECT_EQ(shown.Hold(99), 21);
  EXPECT_EQ(HorizontalBarSetup(kRed1x10).Hold(5), 1);
}

}  // namespace
