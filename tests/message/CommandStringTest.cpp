#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "message/CMsgObjDBList.h"
#include "message/CMsgSettings.h"
#include "support/WorkedExample.h"

namespace {

TEST(BuildCommandString, WorkedExampleAndDefaults) {
  EXPECT_EQ(WorkedExampleSettings().BuildCommandString(kWorkedExampleText, kWorkedExampleGroup, kWorkedExampleUnit),
            kWorkedExampleString);
  EXPECT_EQ(CMsgSettings().BuildCommandString("^K0^dC1HI", 0, 0), "^A000000^L0^C1^K0^dC1HI");
}

TEST(BuildCommandString, Codes) {
  struct Case {
    const char* what;
    void (*set)(CMsgSettings&);
    const char* text;
    const char* expected;
  };
  const Case cases[] = {
      {"empty text: no line size", [](CMsgSettings&) {}, "", "^A030042^C1"},
      {"largest size 2", [](CMsgSettings&) {}, "^K0^dC1A^K1B", "^A030042^L1^C1^K0^dC1A^K1B"},
      {"size 3", [](CMsgSettings&) {}, "^K2A", "^A030042^L2^C1^K2A"},
      {"size 4", [](CMsgSettings&) {}, "^K1A^K3B", "^A030042^L3^C1^K1A^K3B"},
      {"size 5 counts as 4", [](CMsgSettings&) {}, "^K4A", "^A030042^L3^C1^K4A"},
      {"two lines", [](CMsgSettings&) {}, "^K0^dC1AB^N^K1^dC2^X1CD", "^A030042^L1^C1^K0^dC1AB^N^K1^dC2^X1CD"},
      {"no address", [](CMsgSettings& s) { s.m_nAddressMode = kAddressDefault; }, "", "^C1"},
      {"any other address mode sends the address", [](CMsgSettings& s) { s.m_nAddressMode = 9; }, "", "^A030042^C1"},
      {"reset 2", [](CMsgSettings& s) { s.m_nResetMode = kResetClearHomeReset; }, "", "^A030042^E1^C1"},
      {"reset 3", [](CMsgSettings& s) { s.m_nResetMode = kResetClearKeepCursor; }, "", "^A030042^E2^C1"},
      {"reset 4", [](CMsgSettings& s) { s.m_nResetMode = kResetClearLine; }, "", "^A030042^E3^C1"},
      {"reset out of range prints value - 1", [](CMsgSettings& s) { s.m_nResetMode = INT_MIN; }, "",
       "^A030042^E-2147483649^C1"},
      {"position default", [](CMsgSettings& s) { s.m_nPosition = kPositionDefault; }, "", "^A030042"},
      {"position out of range", [](CMsgSettings& s) { s.m_nPosition = 3; }, "", "^A030042"},
      {"starting at, clear line",
       [](CMsgSettings& s) {
         s.m_nPosition = kPositionStartingAt;
         s.m_bClearLine = true;
         s.m_nLine = 8;
         s.m_nColumn = 40;
       },
       "", "^A030042^C0^H0840"},
      {"turn off blinking", [](CMsgSettings& s) { s.m_nEffect = kEffectBlinkOff; }, "A", "^A030042^C1^B0A"},
      {"scroll repeatedly ends the text", [](CMsgSettings& s) { s.m_nEffect = kEffectScrollRepeatedly; }, "A",
       "^A030042^C1^D1A^N"},
      {"effect out of range", [](CMsgSettings& s) { s.m_nEffect = 5; }, "A", "^A030042^C1A"},
      {"blink off at end stands after the end mark and before flash",
       [](CMsgSettings& s) {
         s.m_nEffect = kEffectScrollOnce;
         s.m_bBlinkOffAtEnd = true;
         s.m_nFlashMode = kFlashClear;
       },
       "A", "^A030042^C1^D0A^N^B0^Y0"},
  };
  for (const Case& c : cases) {
    CMsgSettings settings;
    c.set(settings);
    EXPECT_EQ(settings.BuildCommandString(c.text, 3, 42), c.expected) << c.what;
  }
}

TEST(EncodeLine, HasNeitherAddressNorBlinkOffAtEnd) {
  CMsgObjDBList record = WorkedExampleRecord();
  EXPECT_EQ(record.EncodeLine(0), kWorkedExampleLine);

  record.m_nEffect = kEffectScrollOnce;
  EXPECT_EQ(record.EncodeLine(0), "^E0^L0^C0^M0210^D0^K0^dC1HELLO^N^Y1");
}

TEST(ParseLine, ReadsCodesAndLeavesTheText) {
  struct Case {
    const char* line;
    MessageCodes expected;
    const char* text;
  };
  const Case cases[] = {
      {"^E0^L0^C0^M0210^B1^K0^dC1HELLO^Y1", {1, 2, 2, 10, false, 1, 2}, "^K0^dC1HELLO"},
      {"", {0, 1, 0, 0, false, 0, 0}, ""},
      {"^L1^C1^D0^K0^dC1AB^N^K1^dC2^X1CD^N^Y1", {0, 0, 0, 0, false, 4, 2}, "^K0^dC1AB^N^K1^dC2^X1CD"},
      {"^C1^D1A^N^N", {0, 0, 0, 0, false, 3, 0}, "A^N"},
      {"^C1A^N", {0, 0, 0, 0, false, 0, 0}, "A^N"},
      {"^C1^D0A^N^N^Y0", {0, 0, 0, 0, false, 4, 1}, "A^N"},
      {"^E3^C0^H0840^K0A", {4, 2, 8, 40, true, 0, 0}, "^K0A"},
      {"^C0^Mxy", {0, 2, 0, 0, false, 0, 0}, ""},
      {"^C0^M7", {0, 2, 7, 0, false, 0, 0}, ""},
      {"^C0^M^H0102", {0, 1, 0, 0, true, 0, 0}, "^C0^M^H0102"},
      {"^L0^C1^K0^dC1^B1", {0, 0, 0, 0, false, 1, 0}, "^K0^dC1"},
      {"^C1X^D1", {0, 0, 0, 0, false, 0, 0}, "X^D1"},
      {"^E2^E0A^E0", {1, 1, 0, 0, false, 0, 0}, "^E2A"},
      {"^Y1^Y0", {0, 1, 0, 0, false, 0, 1}, "^Y1"},
      {"^C1^C1A^L3^B0^B0", {0, 0, 0, 0, false, 2, 0}, "A"},
      {"^^L0E0", {1, 1, 0, 0, false, 0, 0}, ""},
  };
  for (const Case& c : cases) {
    CMsgObjDBList record;
    EXPECT_EQ(record.ParseLine(c.line), c.text) << c.line;
    EXPECT_EQ(record.Codes(), c.expected) << c.line;
  }
}

TEST(ParseLine, KeepsLineAndColumnUnlessStartingAt) {
  CMsgObjDBList record;
  record.m_nLine = 3;
  record.m_nColumn = 4;
  record.ParseLine("^C1A");
  EXPECT_EQ(record.m_nLine, 3);
  EXPECT_EQ(record.m_nColumn, 4);
}

TEST(ParseLine, OnePassReadingEqualsTheStepByStepReading) {
  // Pieces of real lines and the stray carets and letters that make removals join codes.
  const std::string_view pieces[] = {"^L0", "^L3", "^E0", "^E2", "^C1", "^C0^H", "^C0^M", "^B1",  "^B0", "^D1",
                                     "^D0", "^Y0", "^Y1", "^N",  "^K0", "^dC2",  "^X1",   "^",    "^^",  "H",
                                     "C0",  "E",   "1",   "0",   "12",  "-5",    "A",     "\x1B", "^H",  "^Z"};
  std::mt19937 random(99);
  for (int n = 0; n < 20000; ++n) {
    std::string line;
    for (int k = static_cast<int>(random() % 10); k > 0; --k) line += pieces[random() % std::size(pieces)];
    MessageCodes quick{3, 3, 7, 7, false, 9, 9};
    MessageCodes steps = quick;
    EXPECT_EQ(ParseStoredLine(line, quick), ParseStoredLineStepByStep(line, steps)) << line;
    EXPECT_EQ(quick, steps) << line;
  }
}

}  // namespace
