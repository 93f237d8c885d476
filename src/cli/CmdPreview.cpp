// marquee preview: the preview window's animation frames of a text with inline
// codes, printed as dot rows, so fonts, layout and effects can be checked from
// outside.

#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "cli/CliText.h"
#include "common/Text.h"
#include "message/InlineCodes.h"
#include "preview/FrameText.h"
#include "preview/MarqueeModels.h"
#include "preview/PreviewGeometry.h"
#include "preview/PreviewRenderer.h"

namespace {

constexpr const char* kUsage =
    "preview [--model N] [--position N] [--line N] [--column N] [--effect N] [--h N] [--frames K] [--replace] "
    "TEXT  "
    "print preview frames as LED dots";

constexpr const char* kReplaceHelp =
    "  --replace        characters without a Windows-1252 byte become \"?\" instead of an error\n";

int Usage(std::ostream& err, const std::string& problem) {
  err << "marquee preview: " << problem << "\nusage: marquee " << kUsage << "\n";
  return kExitUsage;
}

struct IntOption {
  const char* name;
  int* value;
  int minimum;
  int maximum;
};

int Run(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  CliOptions options({"--model", "--position", "--line", "--column", "--effect", "--h", "--frames"}, {"--replace"});
  std::string error;
  if (!options.Parse(args, error)) return Usage(err, error);
  if (options.Positional().size() != 1) return Usage(err, "give exactly one TEXT");

  PreviewSettings settings;
  int h = 1;
  int frames = 1;
  constexpr int kLowest = std::numeric_limits<int>::min();
  constexpr int kHighest = std::numeric_limits<int>::max();
  const IntOption ranged[] = {
      {"--model", &settings.model, 0, kMarqueeModelCount - 1},
      {"--position", &settings.position, kPositionCenter, kPositionStartingAt},
      {"--line", &settings.startLine, kLowest, kHighest},
      {"--column", &settings.startColumn, kLowest, kHighest},
      {"--effect", &settings.effect, kEffectDefault, kEffectScrollOnce},
      {"--frames", &frames, 1, kHighest},
      {"--h", &h, 1, kHighest},
  };
  for (const IntOption& option : ranged) {
    if (!options.Int(option.name, *option.value, error)) return Usage(err, error);
    if (*option.value < option.minimum || *option.value > option.maximum)
      return Usage(err, std::string(option.name) + " must be " + std::to_string(option.minimum) + " to " +
                            std::to_string(option.maximum));
  }
  const ScrollBarSetup bar = HorizontalBarSetup(kMarqueeModels[static_cast<size_t>(settings.model)].prop);
  if (bar.Hold(h) != h)
    return Usage(err, "--h must be 1 to " + std::to_string(bar.visible ? bar.maximum : 1) + " for this model");

  std::string text;
  if (!ArgumentBytes(options.Positional()[0], "TEXT", ReplaceMode(options), text, error)) {
    err << "marquee preview: " << error << "\n";
    return kExitFailure;
  }
  const std::vector<LINE1_PROP> lines = DecodeInlineLines(text);
  CPreviewAnimation animation;
  for (int frame = 0; frame < frames; ++frame) {
    if (frame > 0) out << '\n';
    for (const std::string& row : FrameDotRows(animation.NextFrame(lines, settings, h, 1))) out << row << '\n';
  }
  return kExitOk;
}

}  // namespace

constinit const CliCommand kPreviewCommand{"preview", kUsage, Run, kReplaceHelp};
