#include "sim/SignWindow.h"

#include <gtest/gtest.h>

#include <QImage>

#include "gui/Screenshot.h"
#include "message/InlineCodes.h"
#include "sim/SignFrame.h"

TEST(SignWindow, DrawsRoundDotsOnBlackAroundTheWholeSign) {
  const std::vector<LINE1_PROP> lines = DecodeInlineLines("^K0^dC2Hello ^dC3World^N^K0^dC1marquee-sim");
  PreviewSettings settings;
  settings.model = 11;  // "Tricolor 2 Line 40 Char"
  const PreviewFrame frame = RenderSignFrame(lines, settings, {});
  SignWindow window("marquee-sim", frame.width, frame.height);
  EXPECT_EQ(window.size(), QSize(960 + 2 * SignWindow::kMargin, 64 + 2 * SignWindow::kMargin));
  window.Show(frame);
  window.show();
  const QImage image = window.grab().toImage();
  EXPECT_TRUE(SaveScreenshot(&window, "sim_sign_window"));

  ASSERT_FALSE(frame.dots.empty());
  for (const LitDot& dot : {frame.dots.front(), frame.dots.back()}) {
    const QColor centre = image.pixelColor(SignWindow::kMargin + dot.x + 2, SignWindow::kMargin + dot.y + 2);
    EXPECT_EQ(centre.red(), static_cast<int>(dot.color & 0xFF));
    EXPECT_EQ(centre.green(), static_cast<int>((dot.color >> 8) & 0xFF));
    const QColor corner = image.pixelColor(SignWindow::kMargin + dot.x, SignWindow::kMargin + dot.y);
    EXPECT_LT(corner.lightness(), centre.lightness()) << "the dot is round, its square's corner darker";
  }
  EXPECT_EQ(image.pixelColor(1, 1), QColor(Qt::black));
}
