// Whatever the operator composes must come back unchanged from the database file,
// however often it is saved and loaded. Texts here are what the editor produces from
// typed characters; typing caret sequences that look like codes is lossy by design.

#include <gtest/gtest.h>

#include <random>

#include "common/FileIO.h"
#include "message/InlineCodes.h"
#include "message/MessageDatabaseFile.h"

namespace {

class RandomMessages {
 public:
  explicit RandomMessages(unsigned seed) : m_random(seed) {}

  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

  // Editor lines of typed characters (no caret, no escape), sizes 1 to 4, the three
  // colours; the last line is never empty because loading drops an empty last line.
  std::vector<LINE1_PROP> Lines() {
    static constexpr COLORREF kColors[] = {kColorRed, kColorGreen, kColorYellow};
    static constexpr std::string_view kTyped = "ABZaz09 .,!-HNKXdCLEY\xB6\xE9\xFF\x7F\x01";
    std::vector<LINE1_PROP> lines(static_cast<size_t>(Between(1, 4)));
    for (LINE1_PROP& line : lines) {
      int length = Between(0, 12);
      for (int i = 0; i < length; ++i)
        line.push_back({Between(1, 4),
                        static_cast<unsigned char>(kTyped[static_cast<size_t>(Between(0, kTyped.size() - 1))]),
                        kColors[Between(0, 2)], Between(0, 1)});
    }
    if (lines.size() > 1 && lines.back().empty()) lines.back().push_back({1, 'E', kColorRed, 0});
    return lines;
  }

  CMsgObjDBList Record() {
    CMsgObjDBList record;
    record.m_nGroup = static_cast<uint16_t>(Between(0, 15));
    record.m_nUnit = static_cast<uint16_t>(Between(0, 4095));
    record.m_nAddressMode = record.m_nUnit ? kAddressSpecificUnit : record.m_nGroup ? kAddressSpecificGroup : 0;
    record.m_nResetMode = Between(0, 4);
    record.m_nPosition = Between(0, 2);
    if (record.m_nPosition == kPositionStartingAt) {
      record.m_nLine = Between(0, 99);
      record.m_nColumn = Between(0, 99);
      record.m_bClearLine = Between(0, 1) == 1;
    }
    record.m_nEffect = Between(0, 4);
    record.m_nFlashMode = Between(0, 2);
    record.m_strText[0] = EncodeInlineText(Lines());
    return record;
  }

 private:
  std::mt19937 m_random;
};

void ExpectSameMessage(const CMsgObjDBList& actual, const CMsgObjDBList& expected) {
  EXPECT_EQ(actual.m_strText[0], expected.m_strText[0]);
  EXPECT_EQ(actual.Codes(), expected.Codes()) << expected.m_strText[0];
  EXPECT_EQ(actual.m_nGroup, expected.m_nGroup);
  EXPECT_EQ(actual.m_nUnit, expected.m_nUnit);
  EXPECT_EQ(actual.m_nAddressMode, expected.m_nAddressMode);
}

CMsgList SaveAndLoad(CMsgList& messages) {
  StringSink file;
  EXPECT_TRUE(WriteMessageDatabase(messages, file).ok());
  CMsgList loaded;
  Status status = ReadMessageDatabase(file.data(), loaded);
  EXPECT_TRUE(status.ok()) << status.message();
  return loaded;
}

TEST(RoundTrip, EveryEffectAndFlashSurvivesRepeatedSaves) {
  for (int effect = 0; effect <= 4; ++effect) {
    for (int flash = 0; flash <= 2; ++flash) {
      for (const char* text : {"", "^K0^dC1AB^N^K1^dC2^X1CD", "^K0^dC1A^N", "^N"}) {
        CMsgObjDBList record;
        record.m_nEffect = effect;
        record.m_nFlashMode = flash;
        record.m_strText[0] = text;
        CMsgList messages;
        messages.push_back(std::make_unique<CMsgObjDBList>(record));
        for (int save = 0; save < 3; ++save) messages = SaveAndLoad(messages);
        ASSERT_EQ(messages.size(), 1u);
        ExpectSameMessage(*messages[0], record);
      }
    }
  }
}

TEST(RoundTrip, RandomMessagesSurviveSaveAndLoad) {
  RandomMessages random(20240611);
  CMsgList messages;
  std::vector<CMsgObjDBList> originals;
  for (int n = 0; n < 2000; ++n) {
    originals.push_back(random.Record());
    messages.push_back(std::make_unique<CMsgObjDBList>(originals.back()));
  }
  CMsgList loaded = SaveAndLoad(messages);
  loaded = SaveAndLoad(loaded);
  ASSERT_EQ(loaded.size(), originals.size());
  for (size_t i = 0; i < originals.size(); ++i) ExpectSameMessage(*loaded[i], originals[i]);
}

TEST(RoundTrip, EditorLinesSurviveTheirTextWithCodes) {
  RandomMessages random(7);
  for (int n = 0; n < 2000; ++n) {
    std::vector<LINE1_PROP> lines = random.Lines();
    EXPECT_EQ(DecodeInlineLines(EncodeInlineText(lines)), lines);
  }
}

}  // namespace
