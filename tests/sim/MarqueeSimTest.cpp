#include "sim/MarqueeSim.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SimRecorder.h"
#include "message/InlineCodes.h"

namespace {

// The characters of the display's lines, one string per line.
std::vector<std::string> ShownText(const SimDisplay& display) {
  std::vector<std::string> text;
  for (const LINE1_PROP& line : display.lines) {
    text.emplace_back();
    for (const CHAR_PROP& c : line) text.back() += static_cast<char>(c.character);
  }
  return text;
}

std::vector<std::string> MessageTexts(const SimRecorder& recorder) {
  std::vector<std::string> texts;
  for (const SimMessage& message : recorder.messages) texts.push_back(message.text);
  return texts;
}

}  // namespace

TEST(MarqueeSim, TakesMessagesForItsAddressOnly) {
  const struct {
    const char* address;
    SimAddressKind kind;
    bool accepted;
  } cases[] = {
      {"^A000000", SimAddressKind::kBroadcast, true}, {"^A010000", SimAddressKind::kGroup, true},
      {"^A020000", SimAddressKind::kGroup, false},    {"^A010005", SimAddressKind::kUnit, true},
      {"^A010006", SimAddressKind::kUnit, false},     {"^A020005", SimAddressKind::kUnit, false},
      {"^A000005", SimAddressKind::kUnit, false},     {"", SimAddressKind::kNone, true},
  };
  for (const auto& c : cases) {
    RecordedSim marquee(1, 5);
    marquee.Read(std::string(c.address) + "^E0HI^Y1");
    ASSERT_EQ(marquee.recorder.messages.size(), 1u) << c.address;
    const SimMessage& message = marquee.recorder.messages[0];
    EXPECT_EQ(message.addressKind, c.kind) << c.address;
    EXPECT_EQ(message.accepted, c.accepted) << c.address;
    EXPECT_EQ(ShownText(marquee.sim.Display()),
              c.accepted ? std::vector<std::string>{"HI"} : std::vector<std::string>{})
        << c.address;
    EXPECT_EQ(marquee.sim.FlashMessage().has_value(), c.accepted) << c.address;
    const std::string status = c.accepted ? " accepted" : " ignored";
    EXPECT_EQ(marquee.recorder.codes.back(), "^Y1" + status) << c.address;
  }
}

TEST(MarqueeSim, FindsWhereMessagesEndInAnUnframedStream) {
  const struct {
    const char* stream;
    std::vector<std::string> texts;
  } cases[] = {
      {"^A000000^E0HELLO^A000000^E0WORLD", {"HELLO", "WORLD"}},
      {"^E0HELLO^E0WORLD", {"HELLO", "WORLD"}},
      {"^C1AB^C1CD", {"AB", "CD"}},
      {"HELLO^Y1WORLD", {"HELLO", "WORLD"}},
      {"^B1AB^B0^Y1", {"AB"}},
      {"AB^B0CD", {"AB", "CD"}},
      {"AB^B1CD", {"AB", "CD"}},
      {"^E0^L0^C1^B1^K0^dC1AB^NCD", {"^K0^dC1AB^NCD"}},
      {"^D1AB^N", {"AB"}},
      {"^D0AB^NCD^N^B0^Y0", {"AB^NCD"}},
      {"AB^N", {"AB^N"}},
      {"^A000000^A000000", {"", ""}},
      {"^QAB", {"AB"}},
  };
  for (const auto& c : cases) {
    RecordedSim marquee;
    marquee.Read(c.stream);
    EXPECT_EQ(MessageTexts(marquee.recorder), c.texts) << c.stream;
  }
}

TEST(MarqueeSim, AnIdleGapEndsAMessage) {
  SimRecorder recorder;
  MarqueeSim sim(0, 0, recorder, SimTime{300});
  EXPECT_FALSE(sim.IdleDeadline());
  sim.Feed("^E0AB", SimTime{1000});
  EXPECT_EQ(sim.IdleDeadline(), SimTime{1300});
  sim.Feed("CD", SimTime{1299});
  sim.Idle(SimTime{1598});
  EXPECT_TRUE(recorder.messages.empty()) << "the gap counts from the last byte";
  sim.Idle(SimTime{1599});
  ASSERT_EQ(recorder.messages.size(), 1u);
  EXPECT_EQ(recorder.messages[0].text, "ABCD");
  EXPECT_FALSE(sim.IdleDeadline());

  // Bytes after a gap start a new message, even without a call to Idle in between.
  sim.Feed("EF", SimTime{5000});
  sim.Feed("GH", SimTime{5400});
  sim.EndMessage(SimTime{5400});
  EXPECT_EQ(MessageTexts(recorder), (std::vector<std::string>{"ABCD", "EF", "GH"}));

  // A code cut off by the gap is reported as truncated and dropped.
  sim.Feed("IJ^P1A19", SimTime{6000});
  sim.Idle(SimTime{6300});
  EXPECT_EQ(recorder.codes.back(), "^P1A19 truncated");
  EXPECT_EQ(recorder.messages.back().text, "IJ");
  sim.Feed("^", SimTime{7000});
  EXPECT_EQ(sim.IdleDeadline(), SimTime{7300}) << "a lone caret is waited for too";
}

TEST(MarqueeSim, ReadsHeaderAndTailCodes) {
  RecordedSim marquee;
  marquee.Read("^A010005^E3^L1^C0^H0412^B1^K1^dC2^X1AB^B0^Y0");
  ASSERT_EQ(marquee.recorder.messages.size(), 1u);
  const SimMessage& message = marquee.recorder.messages[0];
  EXPECT_EQ(message.codes, (MessageCodes{4, 2, 4, 12, true, 1, 1}));
  EXPECT_EQ(message.lineSize, 1);
  EXPECT_TRUE(message.blinkOffAtEnd);
  EXPECT_EQ(message.text, "^K1^dC2^X1AB");
  const LINE1_PROP expected = {{2, 'A', kColorGreen, 1}, {2, 'B', kColorGreen, 1}};
  EXPECT_EQ(message.lines, std::vector<LINE1_PROP>{expected});
}

TEST(MarqueeSim, SizeFiveAndEveryMessageStartsInSizeOneRedSteady) {
  RecordedSim marquee;
  marquee.Read("^K4^dC3^X1A^E0B");
  ASSERT_EQ(marquee.recorder.messages.size(), 2u);
  EXPECT_EQ(marquee.recorder.messages[0].lines[0], (LINE1_PROP{{5, 'A', kColorYellow, 1}}));
  EXPECT_EQ(marquee.recorder.messages[1].lines[0], (LINE1_PROP{{1, 'B', kColorRed, 0}}));
}

TEST(MarqueeSim, BrokenAndUnknownCodesAreReportedAndSkipped) {
  RecordedSim marquee;
  marquee.Read("^QA^E7^K9^dC4^X2^Y5B^P2B300^P1A300.000.000.000^P4p3C");
  EXPECT_EQ(
      marquee.recorder.codes,
      (std::vector<std::string>{"^Q unknown", "^E7 invalid", "^K9 invalid", "^dC4 invalid", "^X2 invalid",
                                "^Y5 invalid", "^P2B300 invalid", "^P1A300.000.000.000 invalid", "^P4p3 invalid"}));
  // "^E7" is a header code after text, so it starts the next message; "^Y5" ends that one.
  EXPECT_EQ(MessageTexts(marquee.recorder), (std::vector<std::string>{"A", "", "BC"}));
  EXPECT_EQ(marquee.sim.Cards().Card(kNetworkDeviceNet).params.GetBaudRate(), 125);
  EXPECT_EQ(marquee.recorder.messages[1].codes.flashMode, 0);
  EXPECT_FALSE(marquee.sim.FlashMessage());
}

TEST(MarqueeSim, ResetCodesDecideWhereTheTextGoes) {
  const struct {
    const char* second;
    std::vector<std::string> shown;
  } cases[] = {
      {"CD", {"AB", "xyCD"}},     // "Do Nothing": on at the cursor
      {"^E0CD", {"CD"}},          // clear, home
      {"^E1CD", {"CD"}},          // clear, home, reset
      {"^E2CD", {"  ", "  CD"}},  // clear, the cursor stays
      {"^E3CD", {"AB", "CD"}},    // clear the line, the cursor to its start
      {"^C0^H0101CD", {"CD"}},    // "Clear Message on line"
      {"^C0^M0101CD", {"AB", "xyCD"}},
      {"^P1L", {"AB", "xy"}},  // card commands leave the display alone
      {"^Y0", {"AB", "xy"}},
  };
  for (const auto& c : cases) {
    RecordedSim marquee;
    marquee.Read("^E0AB^Nxy").Read(c.second);
    EXPECT_EQ(ShownText(marquee.sim.Display()), c.shown) << c.second;
  }
  RecordedSim marquee;
  marquee.Read("AB");
  EXPECT_EQ(marquee.sim.Display().resets, 0u);
  marquee.Read("^E1CD");
  EXPECT_EQ(marquee.sim.Display().resets, 1u);
}

TEST(MarqueeSim, TheDisplayTakesTheLastMessagesPositionAndEffect) {
  RecordedSim marquee;
  marquee.Read("^C0^M0203^D1AB^N");
  SimDisplay display = marquee.sim.Display();
  EXPECT_EQ(display.position, kPositionStartingAt);
  EXPECT_EQ(display.startLine, 2);
  EXPECT_EQ(display.startColumn, 3);
  EXPECT_EQ(display.effect, kEffectScrollRepeatedly);
  const uint64_t revision = display.revision;

  marquee.Read("CD");
  display = marquee.sim.Display();
  EXPECT_EQ(display.position, kPositionDefault) << "no position code: \"Default\"";
  EXPECT_EQ(display.effect, kEffectDefault);
  EXPECT_GT(display.revision, revision);

  // Blinking off at the end: a blinking display stops blinking; a scrolling one keeps
  // scrolling with steady characters.
  marquee.Read("^E0^B1^X1AB^B0");
  EXPECT_EQ(marquee.sim.Display().effect, kEffectBlinkOff);
  marquee.Read("^E0^D1^X1AB^N^B0");
  EXPECT_EQ(marquee.sim.Display().effect, kEffectScrollRepeatedly);
  EXPECT_EQ(marquee.sim.Display().lines[0][0].blink, 0);
}

TEST(MarqueeSim, FlashKeepsOneMessageAndShowsItOnStart) {
  RecordedSim marquee;
  marquee.Read("^A010005^E0^C1^K1^dC2HELLO^Y1");
  ASSERT_TRUE(marquee.sim.FlashMessage());
  EXPECT_EQ(*marquee.sim.FlashMessage(), "^E0^L1^C1^K1^dC2HELLO");
  marquee.Read("^E0BYE^Y1");
  EXPECT_EQ(*marquee.sim.FlashMessage(), "^E0BYE") << "a later save replaces it";

  RecordedSim restarted;
  restarted.sim.ShowFlashMessage("^E0^L1^C1^K1^dC2HELLO", SimTime{0});
  EXPECT_EQ(ShownText(restarted.sim.Display()), std::vector<std::string>{"HELLO"});
  EXPECT_EQ(restarted.sim.Display().position, kPositionCenter);
  ASSERT_EQ(restarted.recorder.flashes.size(), 1u);
  EXPECT_EQ(restarted.recorder.flashes[0].first, SimFlashChange::kShown);

  marquee.Read("^Y0");
  EXPECT_FALSE(marquee.sim.FlashMessage());
  EXPECT_EQ(marquee.recorder.flashes.back().first, SimFlashChange::kCleared);
  EXPECT_EQ(ShownText(marquee.sim.Display()), std::vector<std::string>{"BYE"});
}

TEST(MarqueeSim, NothingGrowsWithoutBound) {
  RecordedSim marquee;
  std::string flood;
  for (int i = 0; i < 200; ++i) flood += std::string(50, 'x') + "^N^K0";
  for (int i = 0; i < 20; ++i) marquee.sim.Feed(flood, SimTime{0});
  marquee.sim.EndMessage(SimTime{0});
  ASSERT_EQ(marquee.recorder.messages.size(), 1u);
  const SimMessage& message = marquee.recorder.messages[0];
  EXPECT_TRUE(message.textCut);
  EXPECT_LE(message.text.size(), MarqueeSim::kMaxMessageText);
  for (const std::string& line : marquee.recorder.lines)
    EXPECT_LE(line.size(), 4 * MarqueeSim::kMaxMessageText + 400) << "every log line stays bounded";
}

TEST(MarqueeSim, TextBeyondTheCapIsCountedInOneLine) {
  RecordedSim marquee;
  const size_t flood = 100 * MarqueeSim::kMaxMessageText;
  marquee.Read("^E0" + std::string(flood, 'x'));
  const std::vector<std::string>& lines = marquee.recorder.lines;
  const size_t runs = MarqueeSim::kMaxMessageText / MarqueeSim::kTextRunBytes;
  ASSERT_EQ(lines.size(), 1 + runs + 2);
  EXPECT_EQ(lines[runs + 1], "dropped bytes=" + std::to_string(flood - MarqueeSim::kMaxMessageText));
  EXPECT_EQ(lines[runs + 2].rfind("message ", 0), 0u);
}

TEST(MarqueeSim, DisplayStaysBounded) {
  RecordedSim marquee;

  for (int i = 0; i < 100; ++i) marquee.Read(std::string(300, 'y') + "^N");
  const SimDisplay& display = marquee.sim.Display();
  EXPECT_EQ(display.lines.size(), kMaxDisplayLines);
  for (const LINE1_PROP& line : display.lines) EXPECT_LE(line.size(), kMaxLineCharacters);
}

TEST(MarqueeSim, TextIsReportedInRunsBetweenCodes) {
  RecordedSim marquee;
  marquee.Read("^A020000AB^K0" + std::string(MarqueeSim::kTextRunBytes + 1, 'c'));
  const std::vector<std::string>& lines = marquee.recorder.lines;
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[1], "text status=ignored raw=AB");
  EXPECT_EQ(lines[3], "text status=ignored raw=" + std::string(MarqueeSim::kTextRunBytes, 'c'));
  EXPECT_EQ(lines[4], "text status=ignored raw=c");
}
