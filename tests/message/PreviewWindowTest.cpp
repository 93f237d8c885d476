// The preview window: its layout per model, its frames against the core renderer's, the dot
// picture and the animation.

#include <gtest/gtest.h>

#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "gui/Screenshot.h"
#include "gui/TestApp.h"
#include "preview/DlgMsgPreview.h"
#include "preview/LedMatrixImage.h"
#include "preview/MarqueeModels.h"

namespace {

// The picture the frame stands for, drawn dot by dot with its own pen and brush.
QImage DrawnDotByDot(const PreviewFrame& frame) {
  QImage image(frame.width, frame.height, QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter painter(&image);
  for (const LitDot& dot : frame.dots) DrawLedDot(painter, dot.x, dot.y, dot.color);
  return image;
}

LINE1_PROP Text(const char* text, int size, COLORREF color, int blink = 0) {
  LINE1_PROP line;
  for (const char* c = text; *c; ++c) line.push_back({size, static_cast<unsigned char>(*c), color, blink});
  return line;
}

class PreviewWindowTest : public ::testing::Test {
 protected:
  PreviewWindowTest() {
    lines = {Text("Red", 1, kColorRed), Text("Gr", 2, kColorGreen),
             Text("Yellow and a long line of text", 1, kColorYellow)};
    settings().m_nPosition = kPositionDefault;
  }
  ~PreviewWindowTest() override { delete preview; }

  CMsgSettings& settings() { return test.app->m_MsgSettings; }
  void Open(int model) {
    settings().m_nModel = model;
    preview = new CDlgMsgPreview(&owner);
    preview->m_pSourceLines = &lines;
    preview->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(preview));
  }
  // Paints the matrix once (one animation step) and returns what it shows.
  QImage Paint() const { return preview->grab(preview->MatrixRect()).toImage().convertToFormat(QImage::Format_RGB32); }
  QScrollBar* Bar(Qt::Orientation orientation) const {
    for (QScrollBar* bar : preview->findChildren<QScrollBar*>())
      if (bar->orientation() == orientation) return bar;
    return nullptr;
  }
  QImage Expected(int h) {
    const CMsgSettings& s = settings();
    return DrawnDotByDot(
        RenderPreviewFrame(lines, {s.m_nPosition, s.m_nLine, s.m_nColumn, s.m_nEffect, s.m_nModel}, {h, 1, true, 0}));
  }

  TestApp test;
  QWidget owner;
  std::vector<LINE1_PROP> lines;
  QPointer<CDlgMsgPreview> preview;
};

TEST_F(PreviewWindowTest, TheMatrixAndItsBarsFollowTheModel) {
  Open(0);
  for (int index = 0; index < kMarqueeModelCount; ++index) {
    const MODEL_PROP model = kMarqueeModels[static_cast<size_t>(index)].prop;
    settings().m_nModel = index;
    preview->Restart();
    const QRect matrix = preview->MatrixRect();
    EXPECT_EQ(matrix.size(), QSize(std::min(480, 24 * model.charsPerLine), std::min(128, 32 * model.lines))) << index;
    EXPECT_TRUE(preview->rect().contains(matrix)) << index;
    QScrollBar* across = Bar(Qt::Horizontal);
    EXPECT_EQ(across->isVisible(), model.charsPerLine == 40) << index;
    if (model.charsPerLine == 40) {
      EXPECT_EQ(across->minimum(), 1);
      EXPECT_EQ(across->maximum(), 21);
      EXPECT_EQ(across->value(), 1);
      EXPECT_EQ(across->geometry().top(), matrix.bottom() + 1);
      EXPECT_TRUE(preview->rect().contains(across->geometry())) << index;
    }
    EXPECT_FALSE(Bar(Qt::Vertical)->isVisible()) << index;
  }
}

TEST_F(PreviewWindowTest, FramesAreTheCoreRenderersDrawnAsDots) {
  for (int model : {13, 6, 7}) {  // tricolor 4 x 40, red 4 x 40, tricolor 1 x 10
    Open(model);
    EXPECT_EQ(Paint(), Expected(1)) << model;
    delete preview;
  }
  Open(13);
  Bar(Qt::Horizontal)->setValue(8);
  EXPECT_EQ(Paint(), Expected(8));
  Bar(Qt::Horizontal)->triggerAction(QAbstractSlider::SliderSingleStepAdd);  // its right arrow
  EXPECT_EQ(Paint(), Expected(9));
}

TEST_F(PreviewWindowTest, EveryPaintOfTheMatrixIsOneAnimationStep) {
  settings().m_nEffect = kEffectBlink;
  Open(13);
  const QImage first = Paint();
  const QImage second = Paint();
  const QImage black = DrawnDotByDot({480, 128, {}, 0});
  EXPECT_NE(first, second);
  EXPECT_TRUE(first == black || second == black) << "the whole message is hidden every other paint";
  EXPECT_EQ(Paint(), first);
}

TEST_F(PreviewWindowTest, TheAnimationTicksEvery540Milliseconds) {
  Open(0);
  auto* timer = preview->findChild<QTimer*>();
  ASSERT_NE(timer, nullptr);
  EXPECT_TRUE(timer->isActive());
  EXPECT_EQ(timer->interval(), 540);
}

TEST_F(PreviewWindowTest, ClosingDeletesTheWindowAndSaysSo) {
  Open(0);
  QSignalSpy finished(preview.data(), &QDialog::finished);
  QTest::keyClick(preview, Qt::Key_Escape);
  EXPECT_EQ(finished.count(), 1);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(preview, nullptr);
}

TEST(LedMatrixImage, CopiedDotsEqualDotsDrawnOneByOne) {
  PreviewFrame frame{24, 8, {}, 0};
  const COLORREF colors[] = {kColorRed, kColorGreen, kColorYellow, 0xFF8040, kColorRed};
  for (int i = 0; i < 5; ++i)
    frame.dots.push_back({static_cast<int16_t>(4 * i), static_cast<int16_t>(i % 2 * 4), colors[i]});
  CLedMatrixImage matrix;
  EXPECT_EQ(matrix.Paint(frame), DrawnDotByDot(frame));

  // The dot inscribed in its square: the corners stay dark.
  const QImage& image = matrix.Paint({4, 4, {{0, 0, kColorGreen}}, 0});
  const char* rows[] = {".XX.", "XXXX", "XXXX", ".XX."};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(image.pixel(x, y), rows[y][x] == 'X' ? qRgb(0, 255, 0) : qRgb(0, 0, 0)) << x << "," << y;
}

TEST_F(PreviewWindowTest, Screenshots) {
  lines = {Text("Tricolor", 1, kColorRed), Text("LED", 2, kColorGreen), Text("preview!", 1, kColorYellow)};
  settings().m_nPosition = kPositionCenter;
  for (int model = 7; model < kMarqueeModelCount; ++model) {  // one per size, tricolor
    Open(model);
    Paint();  // the first paint hides blinking text; this text does not blink
    const QString name = QString("preview_%1_lines_%2_chars")
                             .arg(kMarqueeModels[static_cast<size_t>(model)].prop.lines)
                             .arg(kMarqueeModels[static_cast<size_t>(model)].prop.charsPerLine);
    EXPECT_TRUE(SaveScreenshot(preview, name));
    delete preview;
  }
}

}  // namespace
