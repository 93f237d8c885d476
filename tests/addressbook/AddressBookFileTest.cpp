#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "addressbook/AddressBookFile.h"
#include "support/TempDir.h"

namespace {

using namespace std::string_literals;

CIPGroup Entry(std::string name, std::vector<CIPData> members) {
  CIPGroup entry(std::move(name));
  entry.m_Members = std::move(members);
  return entry;
}

std::string Written(const std::vector<CIPGroup>& book) {
  StringSink sink;
  EXPECT_TRUE(WriteAddressBook(book, sink).ok());
  return sink.data();
}

// A book with an IP entry, a group with a named member and Latin-1 text, and an entry
// without members; and its exact bytes.
const std::vector<CIPGroup> kSampleBook = {
    Entry("A", {{"", {10, 0, 0, 5}}}),
    Entry("Hall\xE9", {{"", {1, 2, 3, 4}}, {"x", {255, 0, 128, 7}}}),
    Entry("", {}),
};
const std::string kSampleBytes =
    "\x03\x00"
    "A\0\x01\x00"
    "\0\x0A\x00\x00\x05"
    "Hall\xE9\0\x02\x00"
    "\0\x01\x02\x03\x04"
    "x\0\xFF\x00\x80\x07"
    "\0\x00\x00"s;

TEST(AddressBookFile, EmptyBookIsTwoZeroBytes) {
  EXPECT_EQ(Written({}), "\0\0"s);
  AddressBookRead read = ReadAddressBook("\0\0"s);
  EXPECT_TRUE(read.status.ok());
  EXPECT_TRUE(read.entries.empty());
}

TEST(AddressBookFile, SingleEntryIsElevenBytes) {
  EXPECT_EQ(Written({Entry("A", {{"", {10, 0, 0, 5}}})}), "\x01\x00\x41\x00\x01\x00\x00\x0A\x00\x00\x05"s);
}

TEST(AddressBookFile, SampleBookHasExactBytesAndReadsBack) {
  EXPECT_EQ(Written(kSampleBook), kSampleBytes);
  AddressBookRead read = ReadAddressBook(kSampleBytes);
  EXPECT_TRUE(read.status.ok()) << read.status.message();
  EXPECT_EQ(read.entries, kSampleBook);
}

TEST(AddressBookFile, CountsAbove255UseTheHighByte) {
  std::vector<CIPGroup> book(300, Entry("e", {}));
  book[0].m_Members.assign(258, CIPData("", {1, 1, 1, 1}));
  std::string bytes = Written(book);
  EXPECT_EQ(bytes.substr(0, 2), "\x2C\x01"s);
  EXPECT_EQ(bytes.substr(4, 2), "\x02\x01"s);
  AddressBookRead read = ReadAddressBook(bytes);
  EXPECT_TRUE(read.status.ok());
  EXPECT_EQ(read.entries, book);
}

TEST(AddressBookFile, TruncationAtEveryLengthKeepsTheWholeEntriesBeforeIt) {
  // Where each sample entry ends in kSampleBytes.
  const size_t entryEnds[] = {11, 30, 33};
  ASSERT_EQ(entryEnds[2], kSampleBytes.size());
  for (size_t length = 0; length < kSampleBytes.size(); ++length) {
    AddressBookRead read = ReadAddressBook(std::string_view(kSampleBytes).substr(0, length));
    EXPECT_EQ(read.status.errorClass(), ErrorClass::BadInput) << "length " << length;
    size_t whole = 0;
    while (whole < std::size(entryEnds) && entryEnds[whole] <= length) ++whole;
    EXPECT_EQ(read.entries,
              std::vector<CIPGroup>(kSampleBook.begin(), kSampleBook.begin() + static_cast<std::ptrdiff_t>(whole)))
        << "length " << length;
  }
}

TEST(AddressBookFile, BytesAfterTheLastEntryAreReportedWithEveryEntryKept) {
  AddressBookRead read = ReadAddressBook(kSampleBytes + "junk");
  EXPECT_EQ(read.status.errorClass(), ErrorClass::BadInput);
  EXPECT_NE(read.status.message().find("4 unexpected bytes"), std::string::npos);
  EXPECT_EQ(read.entries, kSampleBook);
}

TEST(AddressBookFile, HugeCountsWithoutDataFailFast) {
  AddressBookRead entries = ReadAddressBook("\xFF\xFF"s);
  EXPECT_FALSE(entries.status.ok());
  EXPECT_TRUE(entries.entries.empty());

  AddressBookRead members = ReadAddressBook(
      "\x02\x00"
      "A\0\xFF\xFF"
      "\0\x01\x02\x03\x04"s);
  EXPECT_FALSE(members.status.ok());
  EXPECT_TRUE(members.entries.empty());
  EXPECT_NE(members.status.message().find("entry 1 of 2"), std::string::npos);
}

TEST(AddressBookFile, LargestCountsFitAndOneMoreIsRefusedBeforeWriting) {
  std::vector<CIPGroup> book(kMaxAddressBookCount, Entry("", {}));
  std::string bytes = Written(book);
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFF"s);
  EXPECT_EQ(ReadAddressBook(bytes).entries.size(), kMaxAddressBookCount);

  book.emplace_back();
  StringSink tooManyEntries;
  Status refused = WriteAddressBook(book, tooManyEntries);
  EXPECT_EQ(refused.errorClass(), ErrorClass::BadInput);
  EXPECT_NE(refused.message().find("65536 entries"), std::string::npos);
  EXPECT_TRUE(tooManyEntries.data().empty());

  std::vector<CIPGroup> bigGroup = {Entry("big", std::vector<CIPData>(kMaxAddressBookCount + 1))};
  StringSink tooManyMembers;
  EXPECT_EQ(WriteAddressBook(bigGroup, tooManyMembers).errorClass(), ErrorClass::BadInput);
  EXPECT_TRUE(tooManyMembers.data().empty());
}

TEST(AddressBookFile, NamesHoldingAZeroByteAreRefused) {
  for (const auto& book :
       {std::vector<CIPGroup>{Entry("a\0b"s, {})}, std::vector<CIPGroup>{Entry("ok", {{"m\0"s, {1, 2, 3, 4}}})}}) {
    StringSink sink;
    EXPECT_EQ(WriteAddressBook(book, sink).errorClass(), ErrorClass::BadInput);
    EXPECT_TRUE(sink.data().empty());
  }
}

// Accepts a fixed number of bytes, then fails like a full disk.
class FullSink : public ByteSink {
 public:
  explicit FullSink(size_t capacity) : m_capacity(capacity) {}
  bool Write(std::string_view bytes) override {
    m_failed = m_failed || m_written + bytes.size() > m_capacity;
    if (!m_failed) m_written += bytes.size();
    return !m_failed;
  }

 private:
  size_t m_capacity;
  size_t m_written = 0;
  bool m_failed = false;
};

TEST(AddressBookFile, FailingSinkIsReported) {
  for (size_t capacity = 0; capacity < kSampleBytes.size(); ++capacity) {
    FullSink sink(capacity);
    EXPECT_EQ(WriteAddressBook(kSampleBook, sink).errorClass(), ErrorClass::OsFailure) << capacity;
  }
}

class AddressBookPathTest : public ::testing::Test {
 protected:
  std::string PathOf(const char* name) const { return m_dir.PathOf(name); }
  static void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string ReadBytes(const std::string& path) { return ReadWholeFile(path).bytes; }

  TempDir m_dir;
};

TEST_F(AddressBookPathTest, MissingFileIsSilent) {
  AddressBookLoad load = LoadAddressBook(PathOf("absent.nmd"));
  EXPECT_EQ(load.outcome, DataFileLoadOutcome::Missing);
  EXPECT_TRUE(load.status.ok());
  EXPECT_TRUE(load.entries.empty());
}

TEST_F(AddressBookPathTest, SavedBookLoadsCompleteAndLeavesNoTemporaryFile) {
  std::string path = PathOf("book.nmd");
  WriteBytes(path, "old");
  ASSERT_TRUE(SaveAddressBook(path, kSampleBook).ok());
  EXPECT_EQ(ReadBytes(path), kSampleBytes);
  EXPECT_FALSE(std::filesystem::exists(path + ".new"));
  AddressBookLoad load = LoadAddressBook(path);
  EXPECT_EQ(load.outcome, DataFileLoadOutcome::Complete);
  EXPECT_EQ(load.entries, kSampleBook);
}

TEST_F(AddressBookPathTest, DamagedFileKeepsWhatWasReadAndNamesTheFile) {
  std::string path = PathOf("book.nmd");
  WriteBytes(path, kSampleBytes.substr(0, 20));
  AddressBookLoad load = LoadAddressBook(path);
  EXPECT_EQ(load.outcome, DataFileLoadOutcome::Damaged);
  EXPECT_EQ(load.entries, std::vector<CIPGroup>{kSampleBook[0]});
  EXPECT_NE(load.status.message().find(path), std::string::npos);
}

TEST_F(AddressBookPathTest, FileThatCannotBeReadIsUnreadable) {
  std::string path = PathOf("book.nmd");
  std::filesystem::create_directory(path);
  AddressBookLoad load = LoadAddressBook(path);
  EXPECT_EQ(load.outcome, DataFileLoadOutcome::Unreadable);
  EXPECT_FALSE(load.status.ok());
  EXPECT_TRUE(load.entries.empty());
}

TEST_F(AddressBookPathTest, FailedSaveKeepsTheOldFile) {
  std::string path = PathOf("book.nmd");
  WriteBytes(path, kSampleBytes);
  std::vector<CIPGroup> tooMany(kMaxAddressBookCount + 1);
  EXPECT_EQ(SaveAddressBook(path, tooMany).errorClass(), ErrorClass::BadInput);
  EXPECT_EQ(ReadBytes(path), kSampleBytes);
  EXPECT_FALSE(std::filesystem::exists(path + ".new"));

  EXPECT_EQ(SaveAddressBook(PathOf("no/such/folder/book.nmd"), kSampleBook).errorClass(), ErrorClass::OsFailure);
}

}  // namespace
