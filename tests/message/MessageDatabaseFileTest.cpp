#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "message/MessageDatabaseFile.h"
#include "message/StoredLine.h"
#include "support/TempDir.h"

namespace {

std::unique_ptr<CMsgObjDBList> Message(std::string text, int group = 0, int unit = 0) {
  auto record = std::make_unique<CMsgObjDBList>();
  record->m_strText[0] = std::move(text);
  record->m_nGroup = static_cast<uint16_t>(group);
  record->m_nUnit = static_cast<uint16_t>(unit);
  record->m_nPosition = kPositionDefault;
  return record;
}

std::string FileOf(const CMsgList& messages) {
  StringSink sink;
  EXPECT_TRUE(WriteMessageDatabase(messages, sink).ok());
  return sink.data();
}

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int v : values) bytes += static_cast<char>(v);
  return bytes;
}

std::string FixtureBytes() {
  FileContents file = ReadWholeFile(MARQUEE_TEST_DATA "/three_messages.nmd");
  EXPECT_TRUE(file.status.ok() && !file.missing);
  return file.bytes;
}

TEST(MessageDatabaseFile, ReadsAFileOfTheKnownLayout) {
  CMsgList messages;
  Status status = ReadMessageDatabase(FixtureBytes(), messages);
  ASSERT_TRUE(status.ok()) << status.message();
  ASSERT_EQ(messages.size(), 3u);

  const CMsgObjDBList& hello = *messages[0];
  EXPECT_EQ(hello.m_strText[0], "^K0^dC1HELLO");
  EXPECT_EQ(hello.Codes(), (MessageCodes{1, 2, 2, 10, false, 1, 2}));
  EXPECT_EQ(hello.m_nGroup, 1);
  EXPECT_EQ(hello.m_nUnit, 5);
  EXPECT_EQ(hello.m_nAddressMode, kAddressSpecificUnit);

  const CMsgObjDBList& scrolling = *messages[1];
  EXPECT_EQ(scrolling.m_strText[0], "^K0^dC1AB^N^K1^dC2^X1CD");
  EXPECT_EQ(scrolling.Codes(), (MessageCodes{0, 0, 0, 0, false, 4, 2}));
  EXPECT_EQ(scrolling.m_nAddressMode, kAddressBroadcast);

  const CMsgObjDBList& cafe = *messages[2];
  EXPECT_EQ(cafe.m_strText[0], "^K0^dC3Caf\xE9");
  EXPECT_EQ(cafe.Codes(), (MessageCodes{3, 2, 8, 7, true, 3, 1}));
  EXPECT_EQ(cafe.m_nGroup, 3);
  EXPECT_EQ(cafe.m_nUnit, 25);
}

TEST(MessageDatabaseFile, WritesTheKnownLayoutBackByteForByte) {
  CMsgList messages;
  std::string fixture = FixtureBytes();
  ASSERT_TRUE(ReadMessageDatabase(fixture, messages).ok());
  EXPECT_EQ(FileOf(messages), fixture);
}

TEST(MessageDatabaseFile, BlockLengthPadsTheBodyToFourBytes) {
  struct Case {
    const char* text;  // with the default position the stored line is the text
    int blockSize;
  };
  // A 7-byte body (6 bytes and the zero) is padded by 1 to 12; an 8-byte body is not.
  const Case cases[] = {{"ABCDEF", 12}, {"ABCDEFG", 12}, {"", 8}, {"ABC", 8}, {"ABCD", 12}};
  for (const Case& c : cases) {
    CMsgList messages;
    messages.push_back(Message(c.text));
    std::string file = FileOf(messages);
    ASSERT_EQ(file.size(), 8u + static_cast<size_t>(c.blockSize)) << c.text;
    EXPECT_EQ(file.substr(0, 10), Bytes({0, 0, 0, 8 + c.blockSize, 0, 0, 0, 1, 0, c.blockSize}));
    EXPECT_EQ(file.substr(12 + std::string_view(c.text).size()),
              std::string(static_cast<size_t>(c.blockSize) - 4 - std::string_view(c.text).size(), '\0'));
  }
}

TEST(MessageDatabaseFile, AddressWordKeepsFourBitsOfGroupAndTwelveOfUnit) {
  struct Case {
    int group, unit;
    int high, low;
    uint16_t readGroup, readUnit;
    int readMode;
  };
  const Case cases[] = {
      {3, 25, 0x30, 0x19, 3, 25, kAddressSpecificUnit}, {5, 0, 0x50, 0x00, 5, 0, kAddressSpecificGroup},
      {0, 0, 0x00, 0x00, 0, 0, kAddressBroadcast},      {15, 4095, 0xFF, 0xFF, 15, 4095, kAddressSpecificUnit},
      {16, 4096, 0x00, 0x00, 0, 0, kAddressBroadcast},  {17, 4097, 0x10, 0x01, 1, 1, kAddressSpecificUnit},
  };
  for (const Case& c : cases) {
    CMsgList messages;
    messages.push_back(Message("A", c.group, c.unit));
    messages[0]->m_nAddressMode = kAddressDefault;
    std::string file = FileOf(messages);
    EXPECT_EQ(file.substr(10, 2), Bytes({c.high, c.low}));
    CMsgList loaded;
    ASSERT_TRUE(ReadMessageDatabase(file, loaded).ok());
    EXPECT_EQ(loaded[0]->m_nGroup, c.readGroup);
    EXPECT_EQ(loaded[0]->m_nUnit, c.readUnit);
    EXPECT_EQ(loaded[0]->m_nAddressMode, c.readMode) << c.group << "/" << c.unit;
  }
}

TEST(MessageDatabaseFile, AnyByteOfATextReadsBackExactly) {
  std::string everyByte;
  for (int b = 255; b >= 0; --b) everyByte += static_cast<char>(b);
  for (std::string text : {everyByte, std::string("\0", 1), std::string("\x1B"), std::string("A\x1B\x05")}) {
    CMsgList messages;
    messages.push_back(Message(text));
    std::string file = FileOf(messages);
    CMsgList loaded;
    Status status = ReadMessageDatabase(file, loaded);
    ASSERT_TRUE(status.ok()) << status.message();
    EXPECT_EQ(loaded[0]->m_strText[0], text);
  }
}

TEST(MessageDatabaseFile, ZeroAndEscapeBytesAreFramedOthersStayRaw) {
  std::string framed;
  AppendFramedLine(framed, std::string("A\0\x1B\xB6", 4));
  EXPECT_EQ(framed, Bytes({'A', 0x1B, 2, 0, 0x1B, 2, 0x1B, 0xB6, 0}));
}

TEST(MessageDatabaseFile, ReaderTakesEscapeSequencesOfAnyLength) {
  struct Case {
    std::string stored;
    std::string line;
  };
  const Case cases[] = {
      {Bytes({'A', 0x1B, 4, 0, 'x', 0, 'B', 0}), std::string("A\0x\0B", 5)},
      {Bytes({0x1B, 0, 'C', 0}), "C"},
      {Bytes({0x1B, 1, 'C', 0}), "C"},
      {Bytes({0x1B, 200}) + std::string(199, '\0') + Bytes({0}), std::string(199, '\0')},
  };
  for (const Case& c : cases) {
    ByteReader reader(c.stored);
    std::string storage;
    std::string_view line;
    ASSERT_TRUE(ReadFramedLine(reader, storage, line));
    EXPECT_EQ(line, c.line);
    EXPECT_TRUE(reader.atEnd());
  }
}

TEST(MessageDatabaseFile, TruncationAtEveryByteKeepsTheMessagesBeforeIt) {
  std::string fixture = FixtureBytes();
  const size_t blockEnds[] = {8 + 40, 8 + 40 + 44, 8 + 40 + 44 + 40};
  for (size_t size = 0; size < fixture.size(); ++size) {
    CMsgList messages;
    Status status = ReadMessageDatabase(std::string_view(fixture).substr(0, size), messages);
    EXPECT_FALSE(status.ok()) << size;
    size_t whole = 0;
    for (size_t end : blockEnds) whole += end <= size;
    EXPECT_EQ(messages.size(), whole) << size;
  }
}

TEST(MessageDatabaseFile, CorruptHeadersAndBlocksAreReported) {
  std::string fixture = FixtureBytes();
  struct Case {
    const char* what;
    std::string bytes;
    size_t messagesKept;
  };
  auto patched = [&](size_t at, std::initializer_list<int> values) {
    std::string bytes = fixture;
    bytes.replace(at, values.size(), Bytes(values));
    return bytes;
  };
  const Case cases[] = {
      {"total length below the header", patched(0, {0, 0, 0, 7}), 0},
      {"total length beyond the file", patched(0, {0, 0, 1, 0}), 3},
      {"total length ends inside a block", patched(0, {0, 0, 0, 100}), 2},
      {"huge total length", patched(0, {0xFF, 0xFF, 0xFF, 0xFF}), 3},
      {"length word disagrees with the second block", patched(48, {0, 48}), 1},
      {"zero length word", patched(8, {0, 0}), 0},
      {"terminator lost: the line runs into the next block", patched(8 + 37, {'x', 'y', 'z'}), 0},
      {"escape runs past the end", patched(8 + 4, {0x1B, 0xFF}), 0},
  };
  for (const Case& c : cases) {
    CMsgList messages;
    Status status = ReadMessageDatabase(c.bytes, messages);
    EXPECT_EQ(status.errorClass(), ErrorClass::BadInput) << c.what;
    EXPECT_FALSE(status.message().empty()) << c.what;
    EXPECT_EQ(messages.size(), c.messagesKept) << c.what;
  }
}

TEST(MessageDatabaseFile, TheHeaderCountAndBytesAfterTheTotalLengthAreNoDamage) {
  std::string fixture = FixtureBytes();
  struct Case {
    std::string bytes;
    size_t messages;
    const char* note;
  };
  const Case cases[] = {
      {fixture.substr(0, 4) + Bytes({0, 0, 0, 9}) + fixture.substr(8), 3, "the header counts 9 messages"},
      {Bytes({0, 0, 0, 48}) + fixture.substr(4), 1, "84 bytes after the end its header gives (byte 48)"},
      {fixture + "trailing", 3, "8 bytes after the end"},
  };
  for (const Case& c : cases) {
    CMsgList messages;
    std::string note;
    EXPECT_TRUE(ReadMessageDatabase(c.bytes, messages, &note).ok()) << c.note;
    EXPECT_EQ(messages.size(), c.messages) << c.note;
    EXPECT_NE(note.find(c.note), std::string::npos) << note;
  }
}

TEST(MessageDatabaseFile, LineLongerThanTheLengthWordCanHoldStillRoundTrips) {
  CMsgList messages;
  messages.push_back(Message(std::string(70000, 'L')));
  messages.push_back(Message("next"));
  std::string file = FileOf(messages);
  CMsgList loaded;
  ASSERT_TRUE(ReadMessageDatabase(file, loaded).ok());
  ASSERT_EQ(loaded.size(), 2u);
  EXPECT_EQ(loaded[0]->m_strText[0].size(), 70000u);
  EXPECT_EQ(loaded[1]->m_strText[0], "next");
}

class FailingSink : public ByteSink {
 public:
  explicit FailingSink(size_t capacity) : m_capacity(capacity) {}
  bool Write(std::string_view bytes) override {
    if (m_failed || m_written + bytes.size() > m_capacity) return !(m_failed = true);
    m_written += bytes.size();
    return true;
  }

 private:
  size_t m_capacity;
  size_t m_written = 0;
  bool m_failed = false;
};

TEST(MessageDatabaseFile, AWriteThatFailsHalfwayIsReported) {
  CMsgList messages;
  for (int i = 0; i < 5000; ++i) messages.push_back(Message("^K0^dC1Message text of some length"));
  for (size_t capacity : {size_t{0}, size_t{100}, size_t{70000}}) {
    FailingSink sink(capacity);
    EXPECT_EQ(WriteMessageDatabase(messages, sink).errorClass(), ErrorClass::OsFailure) << capacity;
  }
}

class MessageDatabaseFileOnDisk : public ::testing::Test {
 protected:
  TempDir m_dir;
  std::string m_path = m_dir.PathOf("NorvMarquee.nmd");
};

TEST_F(MessageDatabaseFileOnDisk, MissingOrUnreadableFileLeavesTheListAsItWas) {
  for (DataFileLoadOutcome expected : {DataFileLoadOutcome::Missing, DataFileLoadOutcome::Unreadable}) {
    if (expected == DataFileLoadOutcome::Unreadable) std::filesystem::create_directory(m_path);
    CMsgList messages;
    messages.push_back(Message("kept"));
    DatabaseLoadResult result = LoadMessageDatabase(m_path, messages);
    EXPECT_EQ(result.outcome, expected);
    EXPECT_EQ(result.status.ok(), expected == DataFileLoadOutcome::Missing);
    EXPECT_EQ(messages.size(), 1u);
  }
}

TEST_F(MessageDatabaseFileOnDisk, SaveThenLoadReplacesTheList) {
  CMsgList messages;
  messages.push_back(Message("^K0^dC1one", 1, 2));
  messages.push_back(Message("^K0^dC1two"));
  ASSERT_TRUE(SaveMessageDatabase(m_path, messages).ok());
  EXPECT_FALSE(std::filesystem::exists(m_path + ".new"));

  CMsgList loaded;
  loaded.push_back(Message("replaced"));
  DatabaseLoadResult result = LoadMessageDatabase(m_path, loaded);
  EXPECT_EQ(result.outcome, DataFileLoadOutcome::Complete);
  ASSERT_EQ(loaded.size(), 2u);
  EXPECT_EQ(loaded[0]->m_strText[0], "^K0^dC1one");
  EXPECT_EQ(loaded[1]->m_strText[0], "^K0^dC1two");
}

TEST_F(MessageDatabaseFileOnDisk, DamagedFileKeepsWhatWasReadAndSaysWhere) {
  std::string fixture = FixtureBytes();
  std::ofstream(m_path, std::ios::binary) << fixture.substr(0, 100);
  CMsgList messages;
  DatabaseLoadResult result = LoadMessageDatabase(m_path, messages);
  EXPECT_EQ(result.outcome, DataFileLoadOutcome::Damaged);
  EXPECT_NE(result.status.message().find(m_path), std::string::npos);
  EXPECT_NE(result.status.message().find("byte 92"), std::string::npos) << result.status.message();
  EXPECT_EQ(messages.size(), 2u);
}

TEST_F(MessageDatabaseFileOnDisk, FailedSaveKeepsThePreviousFile) {
  std::string fixture = FixtureBytes();
  std::ofstream(m_path, std::ios::binary) << fixture;
  std::filesystem::create_directory(m_path + ".lock");  // the lock cannot be taken
  CMsgList messages;
  messages.push_back(Message("new"));
  Status status = SaveMessageDatabase(m_path, messages);
  EXPECT_EQ(status.errorClass(), ErrorClass::OsFailure);
  EXPECT_EQ(status.message(), m_path + ": Is a directory");
  EXPECT_EQ(ReadWholeFile(m_path).bytes, fixture);
}

}  // namespace
