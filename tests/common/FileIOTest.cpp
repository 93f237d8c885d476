#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "common/FileIO.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

class FileIOTest : public ::testing::Test {
 protected:
  std::string PathOf(const char* name) const { return m_dir.PathOf(name); }

  // Names in the folder besides the lock files.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_dir.path()))
      if (entry.path().extension() != ".lock") names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  static Status Save(const std::string& path, std::string_view bytes, AtomicWriteOptions options = {}) {
    AtomicFileWriter writer;
    if (Status opened = writer.Open(path, options); !opened.ok()) return opened;
    writer.Write(bytes);
    return writer.Commit();
  }

  TempDir m_dir;
};

TEST_F(FileIOTest, MissingFileIsReportedAsMissingNotAsError) {
  FileContents contents = ReadWholeFile(PathOf("absent"));
  EXPECT_TRUE(contents.missing);
  EXPECT_TRUE(contents.status.ok());
}

TEST_F(FileIOTest, CommittedWriteReplacesTheFileAndLeavesNoTemporary) {
  std::string path = PathOf("data.bin");
  std::ofstream(path) << "old";
  std::string payload(200000, '\0');
  for (size_t i = 0; i < payload.size(); ++i) payload[i] = static_cast<char>(i * 7);
  ASSERT_TRUE(Save(path, payload).ok());
  EXPECT_EQ(ReadWholeFile(path).bytes, payload);
  EXPECT_EQ(Names(), std::vector<std::string>{"data.bin"});
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
  EXPECT_EQ(Names(), std::vector<std::string>{"data.bin"});
}

TEST_F(FileIOTest, FolderThatCannotHoldTheFileIsAnOsFailureNamingTheFile) {
  AtomicFileWriter writer;
  const std::string path = PathOf("no/such/folder/data.bin");
  Status status = writer.Open(path);
  EXPECT_EQ(status.errorClass(), ErrorClass::OsFailure);
  EXPECT_EQ(status.message().rfind(path + ": ", 0), 0u) << status.message();
  EXPECT_FALSE(writer.Write("x"));
}

TEST_F(FileIOTest, OversizedFileIsRefusedAndNeverWritten) {
  std::string path = PathOf("big.bin");
  std::ofstream(path) << std::string(100, 'x');
  EXPECT_EQ(ReadWholeFile(path, 50).status.errorClass(), ErrorClass::BadInput);
  EXPECT_EQ(ReadWholeFile(path, 100).bytes.size(), 100u);

  AtomicWriteOptions small;
  small.maxBytes = 99;
  Status status = Save(path, std::string(100, 'y'), small);
  EXPECT_EQ(status.errorClass(), ErrorClass::BadInput);
  EXPECT_EQ(ReadWholeFile(path).bytes, std::string(100, 'x'));
  EXPECT_EQ(Names(), std::vector<std::string>{"big.bin"});
}

TEST_F(FileIOTest, ALinkedFileIsReplacedAtItsTargetWithItsPermissionBits) {
  fs::create_directory(PathOf("real"));
  const std::string target = PathOf("real/data.bin");
  std::ofstream(target) << "old";
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  fs::create_symlink("real/data.bin", PathOf("link.bin"));

  ASSERT_TRUE(Save(PathOf("link.bin"), "new").ok());
  EXPECT_TRUE(fs::is_symlink(PathOf("link.bin")));
  EXPECT_EQ(ReadWholeFile(target).bytes, "new");
  EXPECT_EQ(fs::status(target).permissions(), fs::perms(0640));
}

TEST_F(FileIOTest, SomethingOtherThanAFileIsNeitherReadNorReplaced) {
  const std::string fifo = PathOf("fifo.bin");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  fs::create_directory(PathOf("folder.bin"));
  for (const std::string& path : {fifo, PathOf("folder.bin"), std::string("/dev/zero")}) {
    // A FIFO without a writer would block an ordinary open for ever.
    FileContents read = ReadWholeFile(path);
    EXPECT_EQ(read.status.errorClass(), ErrorClass::OsFailure) << path;
    EXPECT_EQ(ReadFileStart(path, 2).status.errorClass(), ErrorClass::OsFailure) << path;
  }
  EXPECT_EQ(Save(fifo, "data").errorClass(), ErrorClass::OsFailure);
  EXPECT_TRUE(fs::is_fifo(fifo));
}

TEST_F(FileIOTest, TemporariesAreExclusiveAndLeftOversOfACrashGo) {
  const std::string path = PathOf("data.bin");
  for (const char* name :
       {"data.bin.new", "data.bin.new-a1B2c3", "data.bin.new-toolong", "data.bin.newer", "other.bin.new-a1B2c3"})
    std::ofstream(PathOf(name)) << "x";
  ASSERT_TRUE(Save(path, "new").ok());
  EXPECT_EQ(Names(),
            (std::vector<std::string>{"data.bin", "data.bin.new-toolong", "data.bin.newer", "other.bin.new-a1B2c3"}));
}

TEST_F(FileIOTest, ASecondWriterWaitsThenGivesUpChangingNothing) {
  const std::string path = PathOf("data.bin");
  std::ofstream(path) << "old";
  DataFileLock other;
  ASSERT_TRUE(other.Acquire(path).ok());
  // The lock is per open file, so this process can stand for a second writer.
  AtomicWriteOptions quick;
  quick.lockWait = std::chrono::milliseconds(50);
  Status status = Save(path, "new", quick);
  EXPECT_EQ(status.errorClass(), ErrorClass::OsFailure);
  EXPECT_NE(status.message().find(path + ": another program is saving this file"), std::string::npos);
  EXPECT_EQ(ReadWholeFile(path).bytes, "old");

  quick.heldLock = &other;
  EXPECT_TRUE(Save(path, "new", quick).ok());
  other.Release();
  EXPECT_TRUE(Save(path, "newer").ok());
  EXPECT_EQ(ReadWholeFile(path).bytes, "newer");
}

}  // namespace
