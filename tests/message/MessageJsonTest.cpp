// The JSON form of a message, the command string decoder and the pre-send checks.

#include <gtest/gtest.h>

#include <random>

#include "message/CommandDecoder.h"
#include "message/MessageCheck.h"
#include "message/MessageJson.h"

namespace {

TEST(MessageJson, MissingKeysTakeTheComposersDefaults) {
  MessageJsonResult result = ParseMessageJson(R"({"text": "^K0^dC1HI"})");
  ASSERT_TRUE(result.status.ok()) << result.status.message();
  EXPECT_EQ(BuildCommandString(result.message), "^A000000^L0^C1^K0^dC1HI");
}

TEST(MessageJson, WorkedExampleFromLines) {
  MessageJsonResult result = ParseMessageJson(R"({"address": "unit", "group": 1, "unit": 5, "reset": "clear-home",
      "position": "starting-at", "line": 2, "column": 10, "effect": "blink", "flash": "save",
      "lines": [[{"text": "HELLO", "size": 1, "color": "red", "blink": false}]]})");
  ASSERT_TRUE(result.status.ok()) << result.status.message();
  EXPECT_EQ(BuildCommandString(result.message), "^A010005^E0^L0^C0^M0210^B1^K0^dC1HELLO^Y1");
  // Both text forms come back as the same message.
  for (JsonTextForm form : {JsonTextForm::Text, JsonTextForm::Lines}) {
    MessageJsonResult again = ParseMessageJson(MessageToJson(result.message, form));
    ASSERT_TRUE(again.status.ok()) << again.status.message();
    EXPECT_EQ(again.message, result.message);
  }
}

TEST(MessageJson, TextIsUtf8AndTheMessageWindows1252) {
  MessageJsonResult result = ParseMessageJson(R"({"lines": [[{"text": "5€", "color": "green", "blink": true}], []]})");
  ASSERT_TRUE(result.status.ok()) << result.status.message();
  EXPECT_EQ(result.message.text, "^K0^dC2^X15\x80^N");
  EXPECT_NE(MessageToJson(result.message).find("\"text\":\"^K0^dC2^X15€^N\""), std::string::npos);
}

TEST(MessageJson, RefusesWithADetail) {
  struct Case {
    const char* json;
    const char* detail;
  };
  const Case cases[] = {
      {"", "not valid JSON"},
      {R"({"text": "A",})", "not valid JSON"},
      {"[]", "must be a JSON object"},
      {R"({"text": "A", "text": "B"})", "duplicate key \"text\""},
      {R"({"lines": [[{"text": "A", "text": "B"}]]})", "duplicate key \"text\""},
      {R"({"lines": [[[[]]]]})", "nested deeper"},
      {R"({"colour": "red"})", "\"colour\": unknown key"},
      {R"({"group": "1", "address": "group"})", "\"group\": must be a whole number from 0 to 99, got \"1\""},
      {R"({"group": 100, "address": "group"})", "got 100"},
      {R"({"unit": -1, "address": "unit"})", "\"unit\": must be a whole number from 0 to 9999"},
      {R"({"line": 1.5})", "\"line\": must be a whole number"},
      {R"({"column": 18446744073709551615})", "\"column\": must be a whole number from 0 to 99"},
      {R"({"effect": 1})", "\"effect\": must be one of default 0, blink 1"},
      {R"({"reset": "clear"})", "\"reset\": must be one of nothing 0"},
      {R"({"clear_line": 1})", "\"clear_line\": must be true or false"},
      {R"({"text": "A", "lines": []})", "not both"},
      {R"({"group": 2})", "do not apply to the \"broadcast\" address"},
      {R"({"address": "default", "unit": 2})", "\"default\" address"},
      {R"({"address": "group", "group": 1, "unit": 2})", "\"unit\" does not apply to the \"group\" address"},
      {R"({"text": "Ωmega"})", "\"text\": no Windows-1252 byte for \"Ω\" (U+03A9) at position 1"},
      {R"({"text": "A\u0000"})", "\"text\":"},
      {R"({"lines": "A"})", "\"lines\": must be an array of lines"},
      {R"({"lines": [[{"size": 1}]]})", "\"lines[0][0]\": a run needs \"text\""},
      {R"({"lines": [[], [{"text": "A", "size": 5}]]})", "\"lines[1][0].size\": must be a whole number from 1 to 4"},
      {R"({"lines": [[{"text": "A", "color": "blue"}]]})", "\"lines[0][0].color\""},
      {R"({"lines": [[{"text": "A", "bold": true}]]})", "\"lines[0][0].bold\": unknown key"},
  };
  for (const Case& c : cases) {
    MessageJsonResult result = ParseMessageJson(c.json);
    EXPECT_FALSE(result.status.ok()) << c.json;
    EXPECT_NE(result.status.message().find(c.detail), std::string::npos) << c.json << " -> " << result.status.message();
  }
}

TEST(CommandDecoder, WorkedExamplePiecesAndMeanings) {
  DecodedCommand decoded = DecodeCommandString("^A010005^E0^L0^C0^M0210^B1^K0^dC1HELLO^Y1");
  CommandMessage expected;
  expected.addressMode = kAddressSpecificUnit;
  expected.group = 1;
  expected.unit = 5;
  expected.codes = {kResetClearHome, kPositionStartingAt, 2, 10, false, kEffectBlink, kFlashSave};
  expected.text = "^K0^dC1HELLO";
  EXPECT_EQ(decoded.message, expected);
  std::vector<std::string> codes;
  for (const CommandPiece& piece : decoded.pieces) codes.push_back(piece.code);
  EXPECT_EQ(codes,
            (std::vector<std::string>{"^A010005", "^E0", "^L0", "^C0^M0210", "^B1", "^K0", "^dC1", "HELLO", "^Y1"}));
  EXPECT_EQ(decoded.pieces[3].meaning, "Position: Starting at line 2, column 10");
  EXPECT_EQ(decoded.pieces[6].meaning, "Colour red");
}

// Texts that mix inline codes, typed codes and fragments of codes.
std::string RandomText(std::mt19937& random) {
  static const char* const kBits[] = {"A",   "^K0",      "^K1",       "^K3", "^K4",  "^dC2", "^X1", "^X0",
                                      "^N",  "^L1",      "^C1",       "^B1", "^B0",  "^D1",  "^Y1", "^Y0",
                                      "^E2", "^A010005", "^C0^M0102", "^",   "\x1B", "\xE9", "0",   "^H"};
  std::string text;
  int count = std::uniform_int_distribution<int>(0, 6)(random);
  for (int i = 0; i < count; ++i) text += kBits[std::uniform_int_distribution<size_t>(0, std::size(kBits) - 1)(random)];
  return text;
}

TEST(CommandDecoder, DecodingThenEncodingGivesTheSameStringForEveryEncoderString) {
  std::mt19937 random(17);
  auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  for (int round = 0; round < 20000; ++round) {
    CommandMessage message;
    message.addressMode = pick(0, 3);
    message.group = pick(0, 1) * pick(0, 99);
    message.unit = pick(0, 1) * pick(0, 9999);
    message.codes = {pick(0, 4), pick(0, 2), pick(0, 99), pick(0, 99), pick(0, 1) == 1, pick(0, 4), pick(0, 2)};
    message.blinkOffAtEnd = pick(0, 1) == 1;
    message.text = RandomText(random);
    const std::string built = BuildCommandString(message);
    DecodedCommand decoded = DecodeCommandString(built);
    ASSERT_EQ(BuildCommandString(decoded.message), built);
    std::string joined;
    for (const CommandPiece& piece : decoded.pieces) joined += piece.code;
    ASSERT_EQ(joined, built);
    // And through the JSON form, as `decode --json | encode --from-json` takes it.
    MessageJsonResult parsed = ParseMessageJson(MessageToJson(decoded.message));
    ASSERT_TRUE(parsed.status.ok()) << built << ": " << parsed.status.message();
    ASSERT_EQ(BuildCommandString(parsed.message), built);
  }
}

TEST(MessageCheck, Findings) {
  auto message = [](std::string text, int effect = kEffectDefault, int flash = kFlashNothing) {
    CommandMessage m;
    m.text = std::move(text);
    m.codes.effect = effect;
    m.codes.flashMode = flash;
    return m;
  };
  struct Case {
    CommandMessage message;
    CheckOptions options;
    std::vector<CheckFinding::Kind> kinds;
  };
  using K = CheckFinding;
  const Case cases[] = {
      {message("^K0^dC1HELLO"), {0, false}, {}},
      {message("^K0^dC1HELLO WORLD"), {1, true}, {}},
      {message("^K0CAF\xE9\t\xE9"), {1, false}, {K::kUndrawable, K::kUndrawable}},
      {message("^K0ABCDEFGHIJK"), {0, false}, {K::kTooWide}},
      {message("^K0ABCDEFGHIJK", kEffectScrollOnce), {0, false}, {}},
      {message("^K1AB"), {0, false}, {K::kTooTall}},
      {message("^K1AB"), {2, false}, {}},
      {message("A^NB^NC", kEffectScrollRepeatedly), {3, false}, {K::kTooTall}},
      {message("A", kEffectDefault, kFlashSave), {0, true}, {K::kFlashSaveRepeated}},
      {message("A", kEffectDefault, kFlashSave), {0, false}, {}},
      {message("PRICE ^B1 NOW"), {1, false}, {K::kTypedCode}},
      {message("X^D1"), {1, false}, {}},
  };
  for (const Case& c : cases) {
    std::vector<CheckFinding::Kind> kinds;
    for (const CheckFinding& finding : CheckMessage(c.message, c.options)) kinds.push_back(finding.kind);
    EXPECT_EQ(kinds, c.kinds) << c.message.text;
  }
  CommandMessage startingAt = message("^K0ABCDEFGHIJ");
  startingAt.codes.position = kPositionStartingAt;
  startingAt.codes.column = 3;
  std::vector<CheckFinding> findings = CheckMessage(startingAt, {0, false});
  ASSERT_EQ(findings.size(), 1u);
  EXPECT_EQ(findings[0].detail,
            "line 1 is 12 columns wide in its sizes; the model shows 10, so the preview cuts it "
            "after character 8");
  EXPECT_EQ(CheckMessage(message("CAF\xE9\xE9"), {0, false})[0].detail,
            "\"é\" (U+00E9) at line 1, column 4 (2 times): the marquee's fonts have no glyph for it; it shows dark");
}

}  // namespace
