#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/FileIO.h"
#include "support/TempDir.h"

namespace {

class FileIOTest : public ::testing::Test {
 protected:
  std::string PathOf(const char* name) const { return m_dir.PathOf(name); }

  TempDir m_dir;
};

TEST_F(FileIOTest, MissingFileIsReportedAsMissingNotAsError) {
  FileContents contents = ReadWholeFile(PathOf("absent"));
  EXPECT_TRUE(contents.missing);
  EXPECT_TRUE(contents.status.ok());
}

TEST_F(FileIOTest, CommittedWriteReplacesTheFileAndReadsBack) {
  std::string path = PathOf("data.bin");
  std::ofstream(path) << "old";
  std::string payload(200000, '\0');
  for (size_t i = 0; i < payload.size(); ++i) payload[i] = static_cast<char>(i * 7);

  AtomicFileWriter writer;
  ASSERT_TRUE(writer.Open(path).ok());
  ASSERT_TRUE(writer.Write(payload));
  ASSERT_TRUE(writer.Commit().ok());

  FileContents contents = ReadWholeFile(path);
  ASSERT_TRUE(contents.status.ok());
  EXPECT_EQ(contents.bytes, payload);
  EXPECT_FALSE(std::filesystem::exists(path + ".new"));
}

TEST_F(FileIOTest, UncommittedWriteLeavesTheOldFileAndNoTemporary) {
  std::string path = PathOf("data.bin");
  std::ofstream(path) << "old";
  {
    AtomicFileWriter writer;
    ASSERT_TRUE(writer.Open(path).ok());
    writer.Write("new content");
  }
  EXPECT_EQ(ReadWholeFile(path).bytes, "old");
  EXPECT_FALSE(std::filesystem::exists(path + ".new"));
}

TEST_F(FileIOTest, FolderThatCannotHoldTheFileIsAnOsFailure) {
  AtomicFileWriter writer;
  Status status = writer.Open(PathOf("no/such/folder/data.bin"));
  EXPECT_EQ(status.errorClass(), ErrorClass::OsFailure);
  EXPECT_FALSE(writer.Write("x"));
}

TEST_F(FileIOTest, OversizedFileIsRefused) {
  std::string path = PathOf("big.bin");
  std::ofstream(path) << std::string(100, 'x');
  FileContents contents = ReadWholeFile(path, 50);
  EXPECT_EQ(contents.status.errorClass(), ErrorClass::BadInput);
}

}  // namespace
