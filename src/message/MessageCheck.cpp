#include "message/MessageCheck.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>

#include "common/CodePage.h"
#include "common/Text.h"
#include "message/CommandCodes.h"
#include "message/InlineCodes.h"
#include "preview/MarqueeModels.h"
#include "preview/PreviewGeometry.h"
#include "preview/PreviewLayout.h"

namespace {

// The fonts hold codes 33 to 126; a space is meant to be dark.
bool Drawable(int code) {
  return code == ' ' || (code >= 33 && code <= 126);
}

void CheckCharacters(const std::vector<LINE1_PROP>& lines, std::vector<CheckFinding>& findings) {
  struct Seen {
    size_t line;
    size_t column;
    size_t count;
  };
  std::map<int, Seen> undrawable;
  std::vector<int> order;
  for (size_t n = 0; n < lines.size(); ++n) {
    for (size_t i = 0; i < lines[n].size(); ++i) {
      int code = lines[n][i].character & 0xFF;
      if (Drawable(code)) continue;
      auto [at, added] = undrawable.try_emplace(code, Seen{n + 1, i + 1, 0});
      if (added) order.push_back(code);
      ++at->second.count;
    }
  }
  for (int code : order) {
    const Seen& seen = undrawable[code];
    std::string detail = DescribeCodePoint(CodePointOfByte(static_cast<unsigned char>(code))) +
                         Format(" at line %zu, column %zu", seen.line, seen.column);
    if (seen.count > 1) detail += Format(" (%zu times)", seen.count);
    findings.push_back(
        {CheckFinding::kUndrawable, detail + ": the marquee's fonts have no glyph for it; it shows dark"});
  }
}

int LineHeight(const LINE1_PROP& line) {
  int height = 0;
  for (const CHAR_PROP& c : line) height = std::max(height, PreviewSizeCode(c));
  return height;
}

void CheckSize(const std::vector<LINE1_PROP>& lines, const MessageCodes& codes, const MODEL_PROP& model,
               std::vector<CheckFinding>& findings) {
  PreviewSettings settings;
  settings.position = codes.position;
  settings.startLine = codes.line;
  settings.startColumn = codes.column;
  settings.effect = codes.effect;
  const MessageLayout layout = LayOutMessage(lines, settings, model, 0);
  const bool scrolls = IsScrollEffect(codes.effect);

  // Static effects: the preview cuts each line to the model's columns.
  for (size_t n = 0; n < layout.lines.size() && !scrolls; ++n) {
    const LaidOutLine& laid = layout.lines[n];
    if (laid.chars.size() == lines[n].size()) continue;
    LaidOutLine whole{laid.blanks, lines[n]};
    findings.push_back({CheckFinding::kTooWide,
                        Format("line %zu is %lld columns wide in its sizes; the model shows %d, so the preview cuts "
                               "it after character %zu",
                               n + 1, static_cast<long long>(whole.Width()), model.charsPerLine, laid.chars.size())});
  }

  int total = 0;
  for (const LINE1_PROP& line : lines) total += LineHeight(line);
  // "Starting at" puts the first line's bottom on the start line.
  int64_t top = layout.top / kLinePixels;
  bool cutLines = false;
  for (size_t n = layout.lines.size(); n < lines.size(); ++n) cutLines = cutLines || !lines[n].empty();
  if (cutLines || top < 0 || top + total > model.lines) {
    std::string where = top != 0 ? Format(" from line %lld", static_cast<long long>(top + 1)) : std::string();
    findings.push_back({CheckFinding::kTooTall, Format("the message is %d lines high in its sizes%s; the model has %d",
                                                       total, where.c_str(), model.lines)});
  }
}

struct NamedCode {
  std::string_view text;
  std::string meaning;
};

std::vector<NamedCode> AttributeCodes() {
  std::vector<NamedCode> codes;
  for (size_t v = 1; v < kResetCodes.size(); ++v)
    codes.push_back({kResetCodes[v].text, "Display Mode: " + std::string(kResetModeNames[v])});
  for (const LineCode& code : kLineSizeCodes) codes.push_back({code.text, "a line size code (removed)"});
  codes.push_back({kCenterCode.text, "Position: Center"});
  codes.push_back({kStartingAtCode.text, "Position: Starting at"});
  codes.push_back({kStartingAtClearLineCode.text, "Position: Starting at, Clear Message on line"});
  codes.push_back({kClearLineMark.text, "Clear Message on line"});
  for (size_t v = 1; v < kEffectCodes.size(); ++v)
    codes.push_back({kEffectCodes[v].text, "Effect: " + std::string(kEffectNames[v])});
  for (size_t v = 1; v < kFlashCodes.size(); ++v)
    codes.push_back({kFlashCodes[v].text, "FlashStore Mode: " + std::string(kFlashModeNames[v])});
  return codes;
}

void CheckTypedCodes(const CommandMessage& message, std::vector<CheckFinding>& findings) {
  MessageCodes reread;
  std::string text = ParseStoredLine(EncodeMessageBody(message.codes, message.text, false), reread);
  if (text == message.text) return;
  static const std::vector<NamedCode> kCodes = AttributeCodes();
  size_t before = findings.size();
  for (size_t at = message.text.find('^'); at != std::string::npos; at = message.text.find('^', at + 1)) {
    std::string_view rest = std::string_view(message.text).substr(at);
    // The longest code that starts here ("^C0^H" before its "^H").
    const NamedCode* found = nullptr;
    for (const NamedCode& code : kCodes)
      if (rest.starts_with(code.text) && (!found || code.text.size() > found->text.size())) found = &code;
    if (!found) continue;
    findings.push_back({CheckFinding::kTypedCode,
                        Format("the text holds \"%s\" at byte %zu, which reading the message back takes as %s",
                               std::string(found->text).c_str(), at + 1, found->meaning.c_str())});
    at += found->text.size() - 1;
  }
  if (findings.size() == before)
    findings.push_back({CheckFinding::kTypedCode, "reading the message back takes caret codes out of its text"});
}

}  // namespace

std::string_view FindingKindName(CheckFinding::Kind kind) {
  switch (kind) {
    case CheckFinding::kUndrawable:
      return "undrawable-character";
    case CheckFinding::kTooWide:
      return "line-too-wide";
    case CheckFinding::kTooTall:
      return "too-many-lines";
    case CheckFinding::kFlashSaveRepeated:
      return "flash-save-repeated";
    case CheckFinding::kTypedCode:
      return "typed-code";
  }
  return {};
}

std::vector<CheckFinding> CheckMessage(const CommandMessage& message, const CheckOptions& options) {
  std::vector<CheckFinding> findings;
  const std::vector<LINE1_PROP> lines = DecodeInlineLines(message.text);
  CheckCharacters(lines, findings);
  if (std::optional<MODEL_PROP> model = FindMarqueeModel(options.model))
    CheckSize(lines, message.codes, *model, findings);
  if (options.sentRepeatedly && message.codes.flashMode == kFlashSave)
    findings.push_back({CheckFinding::kFlashSaveRepeated,
                        "the message saves itself to flash (\"^Y1\") and is sent repeatedly: every send writes the "
                        "marquee's flash memory, which wears out; save it once and send it without \"save\""});
  CheckTypedCodes(message, findings);
  return findings;
}
