#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "link/PortEnumeration.h"
#include "link/PortList.h"
#include "support/PtyPair.h"
#include "support/TempDir.h"

TEST(PortEnumeration, ListsExistingCharacterDevicesFromTheEnvironment) {
  PtyPair first, second;
  ASSERT_TRUE(first.ok() && second.ok());
  TempDir dir;
  const std::string regularFile = dir.PathOf("plain");
  std::ofstream(regularFile) << "x";
  const std::string list = first.path() + ":/dev/nonexistent/tty0:" + regularFile + "::" + second.path();
  ::setenv("MARQUEE_EXTRA_PORTS", list.c_str(), 1);
  PortLists lists = EnumeratePorts();
  ::unsetenv("MARQUEE_EXTRA_PORTS");

  ASSERT_LE(lists.ports.size(), kMaxPorts);
  auto firstAt = std::find(lists.ports.begin(), lists.ports.end(), first.path());
  auto secondAt = std::find(lists.ports.begin(), lists.ports.end(), second.path());
  ASSERT_NE(firstAt, lists.ports.end());
  ASSERT_NE(secondAt, lists.ports.end());
  EXPECT_LT(firstAt, secondAt);
  EXPECT_EQ(std::count(lists.ports.begin(), lists.ports.end(), regularFile), 0);
  EXPECT_EQ(std::count(lists.ports.begin(), lists.ports.end(), "/dev/nonexistent/tty0"), 0);
  EXPECT_EQ(EnumeratePorts().ports.size() + 2, lists.ports.size()) << "the extras come on top of the system's ports";
}
