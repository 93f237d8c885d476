#include <gtest/gtest.h>

#include "addressbook/ClipboardAddress.h"

namespace {

TEST(ClipboardAddress, TextsFromTheToolAndFromElsewhere) {
  struct Case {
    std::string text;
    std::optional<IPAddress> expected;
  };
  const Case cases[] = {
      {"192.168.0.10", IPAddress{192, 168, 0, 10}},
      {"192.168..0.10", IPAddress{192, 168, 0, 10}},  // empty pieces separate nothing
      {".192.168.0.10.", IPAddress{192, 168, 0, 10}},
      {"192.168.0", std::nullopt},
      {"1.2.3.4.5", IPAddress{1, 2, 3, 4}},   // pieces after the fourth are ignored
      {"300.1.1.1", IPAddress{44, 1, 1, 1}},  // truncated to 8 bits
      {"192.168.0.10\r\n", IPAddress{192, 168, 0, 10}},
      {" 10. 0.\t0. 1", IPAddress{10, 0, 0, 1}},  // leading blanks of a piece skipped
      {"-1.0.0.1", IPAddress{255, 0, 0, 1}},
      {"10x.20y.30z.40", IPAddress{10, 20, 30, 40}},  // leading digits count
      {"x1.y2.z3.w4", IPAddress{0, 0, 0, 0}},         // no leading digits give 0
      {"a.b.c.d", std::nullopt},                      // a piece without any digit is no octet
      {"Mr. J. R. R. Tolkien", std::nullopt},
      {"1.2.3.d", std::nullopt},
      {"1.2.3.4.e", IPAddress{1, 2, 3, 4}},  // what follows the fourth piece is not read
      {"99999999999.1.1.1", IPAddress{255, 1, 1, 1}},
      {"", std::nullopt},
      {"....", std::nullopt},
      {"hello", std::nullopt},
      {std::string("1.2\0.3.4", 8), IPAddress{1, 2, 3, 4}},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadClipboardAddress(c.text), c.expected) << c.text;
}

}  // namespace
