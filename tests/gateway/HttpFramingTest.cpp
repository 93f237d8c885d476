#include "gateway/HttpFraming.h"

#include <gtest/gtest.h>

namespace {

struct Case {
  const char* name;
  std::string bytes;
  int status;  // 0: let through
};

class Framing : public testing::TestWithParam<Case> {};

TEST_P(Framing, RefusesWhatCannotBeFramedSafely) {
  HttpFraming framing({64, 10});
  const auto refusal = framing.Feed(GetParam().bytes);
  EXPECT_EQ(refusal ? refusal->status : 0, GetParam().status);
}

INSTANTIATE_TEST_SUITE_P(
    Requests, Framing,
    testing::Values(Case{"get", "GET / HTTP/1.1\r\nHost: x\r\n\r\n", 0},
                    Case{"body_at_cap", "POST /a HTTP/1.1\r\nContent-Length: 10\r\n\r\n0123456789", 0},
                    Case{"bare_line_ends", "GET / HTTP/1.0\n\n", 0},
                    Case{"body_over_cap", "POST /a HTTP/1.1\r\nContent-Length: 11\r\n\r\n", 413},
                    Case{"huge_length", "POST /a HTTP/1.1\r\nContent-Length: 99999999999999999999\r\n\r\n", 400},
                    Case{"two_lengths", "POST /a HTTP/1.1\r\nContent-Length: 1\r\nContent-Length: 2\r\n\r\n", 400},
                    Case{"signed_length", "POST /a HTTP/1.1\r\nContent-Length: -1\r\n\r\n", 400},
                    Case{"chunked", "POST /a HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n", 411},
                    Case{"garbage", "\x01\x02 nonsense\r\n\r\n", 400},
                    Case{"http2_preface", "PRI * HTTP/2.0\r\n\r\n", 400},
                    Case{"folded_header", "GET / HTTP/1.1\r\nA: b\r\n c\r\n\r\n", 400},
                    Case{"head_over_cap_unfinished", "GET / HTTP/1.1\r\nX: " + std::string(70, 'a'), 431},
                    Case{"head_over_cap", "GET / HTTP/1.1\r\nX: " + std::string(50, 'a') + "\r\n\r\n", 431}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(FramingStream, FollowsRequestsAcrossReadsAndKeepAlive) {
  HttpFraming framing({64, 10});
  const std::string two = "POST /a HTTP/1.1\r\nContent-Length: 4\r\n\r\nbodyGET /b HTTP/1.1\r\n\r\n";
  // One byte at a time: the end of the head and the body's end are found across reads.
  for (char c : two) {
    ASSERT_FALSE(framing.Feed(std::string_view(&c, 1)));
  }
  EXPECT_FALSE(framing.InRequest());
  // A body's bytes are never read as a head, so a body that looks like a request passes.
  EXPECT_FALSE(framing.Feed("POST /a HTTP/1.1\r\nContent-Length: 8\r\n\r\n\x01\x02\r\n\r\n\r\n"));
  EXPECT_FALSE(framing.Feed("GET / HT"));
  EXPECT_TRUE(framing.InRequest());
  // Once refused, it stays refused.
  EXPECT_EQ(framing.Feed("TP/9.9\r\n\r\n")->status, 400);
  EXPECT_EQ(framing.Feed("GET / HTTP/1.1\r\n\r\n")->status, 400);
}

}  // namespace
