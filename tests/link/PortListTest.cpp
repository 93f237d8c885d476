#include <gtest/gtest.h>

#include "link/PortList.h"

using Names = std::vector<std::string>;

TEST(PortList, WindowsKeepsComOneTo256SortedByNumber) {
  EXPECT_EQ(SelectPortNames({"COM10", "COM2", "COM1", "LPT1", "COM300"}, PortNaming::Windows),
            (Names{"COM1", "COM2", "COM10"}));
  // strtol rules after "COM"; the prefix is case-sensitive as the system reports it.
  EXPECT_EQ(SelectPortNames({"COM256", "COM0", "COM257", "COM5x", "com3", "COM", "COM-1", "COMA"}, PortNaming::Windows),
            (Names{"COM5x", "COM256"}));
}

TEST(PortList, WindowsKeepsTheFirst32FoundThenSorts) {
  Names descending;
  for (int n = 40; n >= 1; --n) descending.push_back("COM" + std::to_string(n));
  Names ports = SelectPortNames(descending, PortNaming::Windows);
  ASSERT_EQ(ports.size(), kMaxPorts);
  EXPECT_EQ(ports.front(), "COM9");
  EXPECT_EQ(ports.back(), "COM40");
}

TEST(PortList, PosixSortsByNameThenNumber) {
  EXPECT_EQ(
      SelectPortNames({"ttyUSB0", "ttyS10", "ttyS2", "ttyS0", "ttyACM1", "rfcomm0", "", "ttyS"}, PortNaming::Posix),
      (Names{"rfcomm0", "ttyACM1", "ttyS", "ttyS0", "ttyS2", "ttyS10", "ttyUSB0"}));
}

TEST(PortList, PosixKeepsTheLowest32) {
  Names many;
  for (int n = 39; n >= 0; --n) many.push_back("ttyS" + std::to_string(n));
  Names ports = SelectPortNames(many, PortNaming::Posix);
  ASSERT_EQ(ports.size(), kMaxPorts);
  EXPECT_EQ(ports.front(), "ttyS0");
  EXPECT_EQ(ports.back(), "ttyS31");
}

TEST(PortList, ExtraPortsFollowWithoutDuplicatesUpTo32) {
  Names ports{"ttyS0"};
  AppendExtraPorts(ports, {"/dev/pts/3", "ttyS0", "/dev/pts/3", "/dev/pts/4"});
  EXPECT_EQ(ports, (Names{"ttyS0", "/dev/pts/3", "/dev/pts/4"}));

  Names full(kMaxPorts - 1, "x");
  AppendExtraPorts(full, {"/dev/pts/1", "/dev/pts/2"});
  EXPECT_EQ(full.size(), kMaxPorts);
  EXPECT_EQ(full.back(), "/dev/pts/1");
}

TEST(PortList, SplitsColonSeparatedPaths) {
  EXPECT_EQ(SplitPathList("/dev/pts/3::/dev/pts/4:"), (Names{"/dev/pts/3", "/dev/pts/4"}));
  EXPECT_EQ(SplitPathList("/dev/pts/3"), (Names{"/dev/pts/3"}));
  EXPECT_TRUE(SplitPathList("").empty());
  EXPECT_TRUE(SplitPathList(":").empty());
}

TEST(PortList, FriendlyNameNeedsADescription) {
  EXPECT_EQ(FriendlyPortName("Communications Port", "COM1"), "Communications Port (COM1)");
  EXPECT_EQ(FriendlyPortName("", "ttyS0"), "");
}
