// The composer's interactive paths, offscreen. Goals: typing one character at the end of an
// 8-line, 5,000-character message (the editor's whole change path) under 2 ms;
// GetTextWithCodes of 50,000 characters under 20 ms and linear in the length (compare the
// 10,000 and 50,000 runs); one paint of the preview's "Tricolor 4 Line 40 Char" matrix filled
// with text under 2 ms. The last pair shows what the cached dots save over a pen and brush per dot.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QTextCursor>
#include <QWindow>
#include <cstdlib>

#include "app/NorvMarqueeApp.h"
#include "app/ProgramLoader.h"
#include "message/NorvRichEditCtrl.h"
#include "preview/DlgMsgPreview.h"
#include "preview/LedMatrixImage.h"
#include "support/RecordingPrompter.h"

namespace {

void EnsureApplication() {
  static int argc = 1;
  static char name[] = "bench_composer";
  static char* argv[] = {name, nullptr};
  static QApplication* app = nullptr;
  if (app) return;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // Never destroyed: tearing Qt down among the static destructors at exit crashes.
  app = new QApplication(argc, argv);
}

// A text with inline codes of `lines` lines and `characters` characters in all, its size,
// colour and blinking changing every 7 characters.
std::string MessageText(int lines, int characters) {
  static const char* const kCodes[] = {"^K0^dC1", "^K1^dC2^X1", "^K2^dC3^X0", "^K3^dC1"};
  std::string text;
  for (int n = 0; n < characters; ++n) {
    if (n > 0 && n % (characters / lines) == 0) text += "^N";
    if (n % 7 == 0) text += kCodes[n / 7 % 4];
    text += static_cast<char>('A' + n % 26);
  }
  return text;
}

// The editor with the page's two counters showing its reports.
struct Composer {
  Composer() {
    QObject::connect(&editor, &CNorvRichEditCtrl::MessageLengthChanged, &length,
                     [this](int lines, int chars) { length.setText(QString("%1 %2").arg(lines).arg(chars)); });
    QObject::connect(&editor, &CNorvRichEditCtrl::CaretPositionChanged, &caret,
                     [this](int line, int column) { caret.setText(QString("%1 %2").arg(line).arg(column)); });
    editor.resize(600, 300);
    editor.show();
  }
  bool qt = (EnsureApplication(), true);  // before the widgets
  CNorvRichEditCtrl editor;
  QLabel length;
  QLabel caret;
};

void BM_TypeAtTheEndOfALongMessage(benchmark::State& state) {
  Composer composer;
  composer.editor.LoadIntoEditor(MessageText(8, 5000));
  composer.editor.moveCursor(QTextCursor::End);
  QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x");
  for (auto _ : state) {
    QApplication::sendEvent(&composer.editor, &press);
    state.PauseTiming();
    composer.editor.textCursor().deletePreviousChar();
    state.ResumeTiming();
  }
  if (composer.editor.m_Lines.size() != 8 || composer.editor.m_Lines.back().size() != 625)
    state.SkipWithError("the message changed");
}
BENCHMARK(BM_TypeAtTheEndOfALongMessage)->Unit(benchmark::kMillisecond);

void BM_GetTextWithCodes(benchmark::State& state) {
  Composer composer;
  const int characters = static_cast<int>(state.range(0));
  composer.editor.LoadIntoEditor(MessageText(characters / 100, characters));
  for (auto _ : state) benchmark::DoNotOptimize(composer.editor.GetTextWithCodes());
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_GetTextWithCodes)->Arg(10'000)->Arg(50'000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

std::vector<LINE1_PROP> FullTricolorMatrix() {
  const COLORREF colors[] = {kColorRed, kColorGreen, kColorYellow};
  std::vector<LINE1_PROP> lines(4);
  for (int line = 0; line < 4; ++line)
    for (int column = 0; column < 40; ++column)
      lines[static_cast<size_t>(line)].push_back({1, 33 + (line * 40 + column) % 94, colors[column % 3], 0});
  return lines;
}

void BM_PreviewPaint(benchmark::State& state) {
  EnsureApplication();
  RecordingPrompter prompter;
  const CProgramLoader brand;
  AppEnvironment environment;
  environment.prompter = &prompter;
  environment.settingsOrganisation = "marquee_bench";
  CNorvMarqueeApp app(brand, environment);
  app.m_MsgSettings.m_nModel = 13;
  app.m_MsgSettings.m_nPosition = kPositionDefault;
  const std::vector<LINE1_PROP> lines = FullTricolorMatrix();
  QWidget owner;
  CDlgMsgPreview preview(&owner);
  preview.m_pSourceLines = &lines;
  preview.show();
  for (int wait = 0; wait < 100 && !(preview.windowHandle() && preview.windowHandle()->isExposed()); ++wait)
    QApplication::processEvents();
  if (!preview.windowHandle() || !preview.windowHandle()->isExposed()) return state.SkipWithError("not on screen");
  for (auto _ : state) preview.repaint(preview.MatrixRect());
}
BENCHMARK(BM_PreviewPaint)->Unit(benchmark::kMicrosecond);

// The same frame drawn with a pen and a brush per dot, for comparison.
void BM_PreviewDotsDrawnOneByOne(benchmark::State& state) {
  EnsureApplication();
  const std::vector<LINE1_PROP> lines = FullTricolorMatrix();
  PreviewSettings settings;
  settings.model = 13;
  settings.position = kPositionDefault;
  QImage image(480, 128, QImage::Format_RGB32);
  for (auto _ : state) {
    const PreviewFrame frame = RenderPreviewFrame(lines, settings, {});
    image.fill(Qt::black);
    QPainter painter(&image);
    for (const LitDot& dot : frame.dots) DrawLedDot(painter, dot.x, dot.y, dot.color);
  }
}
BENCHMARK(BM_PreviewDotsDrawnOneByOne)->Unit(benchmark::kMicrosecond);

}  // namespace
