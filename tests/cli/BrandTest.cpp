#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/CliRun.h"
#include "support/TempDir.h"

namespace {

// Runs each test in an empty folder of its own, as "version.txt" is read from the current folder.
class BrandCommandTest : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::current_path(m_dir.path()); }
  void TearDown() override { std::filesystem::current_path(m_previous); }

  std::filesystem::path m_previous = std::filesystem::current_path();
  TempDir m_dir;
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
