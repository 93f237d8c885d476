#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "CliRun.h"

namespace {

// Runs each test in an empty folder of its own, as "version.txt" is read from the current folder.
class BrandCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_previous = std::filesystem::current_path();
    m_dir = std::filesystem::temp_directory_path() /
            ("marquee_brand_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(m_dir);
    std::filesystem::create_directories(m_dir);
    std::filesystem::current_path(m_dir);
  }
  void TearDown() override {
    std::filesystem::current_path(m_previous);
    std::filesystem::remove_all(m_dir);
  }

  std::filesystem::path m_previous;
  std::filesystem::path m_dir;
};

TEST_F(BrandCommandTest, WithoutVersionFileShowsVariantZero) {
  CliRun run = RunTool({"brand"});
  EXPECT_EQ(run.exitCode, kExitOk);
  EXPECT_EQ(run.out,
            "key=0\nname=NorvMarquee\nversion=1.2.39\ntitle=NorvMarquee - 1.2.39\nsettings=NorvMarquee 1.2.39\n"
            "database=NorvMarquee.nmd\naddressbook=NorvMarqueeIP.nmd\n");
}

TEST_F(BrandCommandTest, VersionFileSelectsTheVariant) {
  std::ofstream("version.txt") << "1\n";
  CliRun run = RunTool({"brand"});
  EXPECT_EQ(run.out,
            "key=1\nname=FerroMarquee\nversion=1.2.36\ntitle=FerroMarquee - 1.2.36\nsettings=FerroMarquee 1.2.36\n"
            "database=FerroMarquee.nmd\naddressbook=FerroMarqueeIP.nmd\n");
}

TEST_F(BrandCommandTest, RefusesArguments) {
  CliRun run = RunTool({"brand", "2"});
  EXPECT_EQ(run.exitCode, kExitUsage);
  EXPECT_TRUE(run.out.empty());
}

}  // namespace
