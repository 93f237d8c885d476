#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/DamagedFileKeeper.h"
#include "support/TempDir.h"

namespace {

std::string Contents(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

TEST(DamagedFileKeeper, CopiesTheOriginalAsideWithoutReplacingEarlierCopies) {
  TempDir dir;
  const std::string path = dir.PathOf("NorvMarquee.nmd");
  std::ofstream(path, std::ios::binary) << std::string("\0\0\0\x20 first", 11);
  CDamagedFileKeeper keeper;

  EXPECT_EQ(keeper.KeepOriginal(path), path + ".damaged");
  EXPECT_EQ(Contents(path + ".damaged"), Contents(path));
  EXPECT_TRUE(keeper.MayOverwrite(path));

  std::ofstream(path, std::ios::binary) << "second";
  EXPECT_EQ(keeper.KeepOriginal(path), path + ".damaged-2");
  EXPECT_EQ(Contents(path + ".damaged-2"), "second");
  EXPECT_EQ(Contents(path + ".damaged"), std::string("\0\0\0\x20 first", 11));
  EXPECT_TRUE(keeper.MayOverwrite(path));
}

TEST(DamagedFileKeeper, AFileThatCannotBeCopiedIsProtected) {
  TempDir dir;
  CDamagedFileKeeper keeper;
  // A folder where the file should be: there is nothing to copy.
  const std::string folder = dir.PathOf("NorvMarqueeIP.nmd");
  std::filesystem::create_directory(folder);
  EXPECT_EQ(keeper.KeepOriginal(folder), "");
  EXPECT_FALSE(keeper.MayOverwrite(folder));
  EXPECT_FALSE(std::filesystem::exists(folder + ".damaged")) << "no partial copy is left behind";
  EXPECT_TRUE(keeper.MayOverwrite(dir.PathOf("other.nmd")));
}

TEST(DamagedFileKeeper, GivesUpWhenEveryCopyNameIsTaken) {
  TempDir dir;
  const std::string path = dir.PathOf("full.nmd");
  std::ofstream(path) << "data";
  std::ofstream(path + ".damaged") << "old";
  for (int i = 2; i <= 99; ++i) std::ofstream(path + ".damaged-" + std::to_string(i)) << "old";
  CDamagedFileKeeper keeper;
  EXPECT_EQ(keeper.KeepOriginal(path), "");
  EXPECT_FALSE(keeper.MayOverwrite(path));
  EXPECT_EQ(Contents(path + ".damaged-99"), "old");
}

}  // namespace
