#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "app/ProgramLoader.h"
#include "support/TempDir.h"

namespace {

class ProgramLoaderTest : public ::testing::Test {
 protected:
  CProgramLoader LoaderWithVersionFile(const std::string& bytes) {
    std::ofstream(m_dir.path() / "version.txt", std::ios::binary) << bytes;
    return CProgramLoader(0, m_dir.path().string());
  }

  TempDir m_dir;
};

TEST_F(ProgramLoaderTest, NoVersionFileSelectsVariantZero) {
  CProgramLoader loader(0, m_dir.path().string());
  EXPECT_EQ(loader.GetKey(), 0);
  EXPECT_STREQ(loader.GetApplicationName(), "NorvMarquee");
  EXPECT_EQ(loader.GetVersionText(), "1.2.39");
  EXPECT_EQ(loader.GetWindowTitle(), "NorvMarquee - 1.2.39");
  EXPECT_EQ(loader.GetSettingsKeyName(), "NorvMarquee 1.2.39");
  EXPECT_STREQ(loader.GetDetails().messageDatabaseFile, "NorvMarquee.nmd");
  EXPECT_STREQ(loader.GetDetails().addressBookFile, "NorvMarqueeIP.nmd");
  EXPECT_STREQ(loader.GetDetails().companyLine, "NorvAutomation a division of Quor");
}

TEST_F(ProgramLoaderTest, EachVariantHasItsOwnRows) {
  struct Case {
    const char* file;
    int key;
    const char* name;
    const char* version;
    const char* company;
    const char* database;
    const char* addressBook;
  };
  const Case cases[] = {
      {"0", 0, "NorvMarquee", "1.2.39", "NorvAutomation a division of Quor", "NorvMarquee.nmd", "NorvMarqueeIP.nmd"},
      {"1\n", 1, "FerroMarquee", "1.2.36", "Calder Technology", "FerroMarquee.nmd", "FerroMarqueeIP.nmd"},
      {"2", 2, "MarlowMarquee", "1.0", "Hollis", "MarlowMarquee.nmd", "MarlowMarqueeIP.nmd"},
  };
  for (const Case& c : cases) {
    CProgramLoader loader = LoaderWithVersionFile(c.file);
    EXPECT_EQ(loader.GetKey(), c.key);
    EXPECT_STREQ(loader.GetApplicationName(), c.name);
    EXPECT_EQ(loader.GetVersionText(), c.version);
    EXPECT_STREQ(loader.GetDetails().companyLine, c.company);
    EXPECT_STREQ(loader.GetDetails().messageDatabaseFile, c.database);
    EXPECT_STREQ(loader.GetDetails().addressBookFile, c.addressBook);
    EXPECT_NE(std::string(loader.GetDetails().webLine).find("example."), std::string::npos);
    EXPECT_NE(std::string(loader.GetDetails().phoneLine).find("555"), std::string::npos);
    EXPECT_NE(std::string(loader.GetDetails().copyrightLine), "");
  }
  EXPECT_EQ(LoaderWithVersionFile("1").GetWindowTitle(), "FerroMarquee - 1.2.36");
  EXPECT_EQ(LoaderWithVersionFile("2").GetSettingsKeyName(), "MarlowMarquee 1.0");
}

TEST_F(ProgramLoaderTest, FileContentsSelectTheVariant) {
  const std::pair<std::string, int> cases[] = {
      {"1\r\n", 1},
      {" 2", 2},
      {"2x", 2},
      {"x2", 0},
      {"", 0},
      {"+1", 1},
      {std::string{'1', '\0', '2'}, 1},  // bytes after a zero do not count
      {"12", 0},                         // key 12 has no variant
      {"7", 0},
      {"-1", 0},
      {"0012", 0},
      {"102", 0},
      {"21", 0},
      {"\n1", 1},
  };
  for (const auto& [bytes, key] : cases) EXPECT_EQ(LoaderWithVersionFile(bytes).GetKey(), key) << bytes;
}

TEST_F(ProgramLoaderTest, UnreadableVersionFileKeepsTheDefaultKey) {
  std::filesystem::create_directory(m_dir.path() / "version.txt");
  EXPECT_EQ(CProgramLoader(2, m_dir.path().string()).GetKey(), 2);
  EXPECT_EQ(CProgramLoader(5, m_dir.path().string()).GetKey(), 0);
}

TEST_F(ProgramLoaderTest, AVersionFileThatIsAFifoNeverBlocksStartUp) {
  // Opening a FIFO without a writer for reading would wait for one for ever.
  ASSERT_EQ(::mkfifo((m_dir.path() / "version.txt").c_str(), 0600), 0);
  EXPECT_EQ(CProgramLoader(1, m_dir.path().string()).GetKey(), 1);
}

TEST(VariantKey, OnlyTheFirstTwoBytesCount) {
  EXPECT_EQ(VariantKeyFromBytes("12"), 12);
  EXPECT_EQ(VariantKeyFromBytes("123"), 12);
  EXPECT_EQ(VariantKeyFromBytes(" 23"), 2);
  EXPECT_EQ(VariantKeyFromBytes("-5"), -5);
  EXPECT_EQ(VariantKeyFromBytes(""), 0);
}

}  // namespace
