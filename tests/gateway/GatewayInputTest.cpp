// The config file and the message body: what each refuses, and what they read.

#include <gtest/gtest.h>

#include "gateway/ConfigFile.h"
#include "gateway/MessageRequest.h"

namespace {

TEST(GatewayConfigFile, ReadsSignsAndSections) {
  GatewayConfig config;
  const Status status = ParseGatewayConfig(R"(
[http]
listen = "127.0.0.1:8080"
token = "t"

[queue]
max_parallel = 8
supersede = false

[[signs]]
name = "line1"
tcp = "192.168.0.21"
group = 1
unit = 5
model = 10
tags = ["hall-a", "line1"]

[[signs]]
name = "dock"
serial = "ttyUSB0"
baud = 38400
)",
                                           "/etc/g.toml", config);
  ASSERT_TRUE(status.ok()) << status.message();
  ASSERT_EQ(config.signs.size(), 2u);
  EXPECT_EQ(config.signs[0].tcpAddress, "192.168.0.21");
  EXPECT_EQ(config.signs[0].tcpPort, 49999);
  EXPECT_EQ(config.signs[0].origin, "/etc/g.toml:10");
  EXPECT_EQ(config.signs[1].transport, SignTransport::kSerial);
  EXPECT_EQ(config.signs[1].baud, 38400);
  EXPECT_EQ(config.queue.maxParallel, 8);
  EXPECT_FALSE(config.queue.supersede);
  EXPECT_EQ(config.queue.retryAttempts, QueueConfig{}.retryAttempts);
  EXPECT_EQ(config.http.token, "t");
}

TEST(GatewayConfigFile, RefusesWithFileAndLine) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"[queue]\nretry = 3\n", "f.toml:2: unknown key \"retry\" in [queue]"},
      {"speed = 1\n", "f.toml:1: unknown key \"speed\""},
      {"[[signs]]\nname = \"a\"\ntcp = \"1.2.3.4\"\nmodel = 14\n", "f.toml:4: model must be from 0 to 13"},
      {"[[signs]]\nname = \"a\"\n", "f.toml:1: sign \"a\" needs exactly one of tcp and serial"},
      {"[[signs]]\nname = \"a\"\ntcp = \"1.2.3\"\n", "f.toml:3: tcp \"1.2.3\" is not a dotted IPv4 address"},
      {"[[signs]]\nname = \"a\"\nserial = \"ttyS0\"\nbaud = 4800\n", "f.toml:4: baud must be 9600 or 38400"},
      {"[[signs]]\nname = \"a/b\"\ntcp = \"1.2.3.4\"\n", "f.toml:2: name \"a/b\" must be"},
      {"[[signs]]\nname = \"a\"\ntcp = \"1.2.3.4\"\n[[signs]]\nname = \"a\"\ntcp = \"1.2.3.5\"\n",
       "f.toml:4: sign \"a\" is already defined at f.toml:1"},
      {"[queue]\nsupersede = 1\n", "f.toml:2: supersede must be true or false"},
      {"[log]\nmax_rows = \"many\"\n", "f.toml:2: max_rows must be an integer"},
      {"address_book = \"missing.book\"\n", "f.toml:1: missing.book: no such address book"},
      {"a = [\n", "f.toml:1: "},
  };
  for (const auto& c : cases) {
    GatewayConfig config;
    config.signs.push_back({});
    const Status status = ParseGatewayConfig(c.text, "f.toml", config);
    EXPECT_EQ(status.errorClass(), ErrorClass::BadInput) << c.text;
    EXPECT_EQ(status.message().rfind(c.message, 0), 0u) << status.message();
    EXPECT_EQ(config.signs.size(), 1u) << "left as it was";
  }
}

TEST(GatewayMessageRequest, RefusesWhatItCannotSend) {
  const struct {
    const char* body;
    const char* error;
  } cases[] = {
      {"[1]", "bad_json"},
      {R"({"raw": ""})", "bad_value"},
      {R"({"raw": 5})", "bad_value"},
      {R"({"text": "A", "colour": 1})", "unknown_field"},
      {R"({"raw": "A", "effect": "blink"})", "unknown_field"},
      {R"({"text": "A", "group": 100})", "bad_value"},
      {R"({"raw": "A", "expires": -1})", "bad_value"},
      {R"({"raw": "A", "expires": "2020-01-01T00:00:00Z"})", "bad_value"},
      {R"({"raw": "A", "expires": "2030-01-01T00:00:00"})", "bad_value"},
      {R"({"raw": "A\u0000B"})", "bad_value"},
      {R"({"raw": "\u03a9"})", "unmappable_character"},
  };
  for (const auto& c : cases) {
    const MessageRequestParse parsed = ParseMessageRequest(c.body, 1'700'000'000'000);
    ASSERT_TRUE(parsed.error.has_value()) << c.body;
    EXPECT_EQ(parsed.error->error, c.error) << c.body;
  }
}

TEST(GatewayMessageRequest, ForcedTextAndTheSignsAddress) {
  const MessageRequestParse parsed =
      ParseMessageRequest(R"({"raw": "\u00e9\u03a9", "force": true, "expires": 2.5})", 1000);
  ASSERT_FALSE(parsed.error.has_value());
  EXPECT_EQ(parsed.request.raw, "\xe9?");
  EXPECT_EQ(parsed.request.expires, 3500);
  SignConfig sign;
  sign.group = 2;
  EXPECT_EQ(CommandForSign(parsed.request, sign), "^A020000\xe9?") << "unit 0: the group alone";
  MessageRequest own;
  own.raw = "^A010001X";
  EXPECT_EQ(CommandForSign(own, sign), "^A010001X") << "a text with its own address keeps it";
}

TEST(GatewayMessageRequest, AMessageGoesToEachSignsOwnAddressAndIsCheckedForItsModel) {
  SignConfig sign;
  sign.name = "line1";
  sign.group = 1;
  sign.unit = 5;
  const MessageRequestParse plain = ParseMessageRequest(R"({"text": "HI", "position": "default"})", 0);
  ASSERT_FALSE(plain.error.has_value()) << plain.error->detail;
  EXPECT_EQ(CommandForSign(plain.request, sign), "^A010005HI");
  const MessageRequestParse own =
      ParseMessageRequest(R"({"text": "HI", "position": "default", "address": "broadcast"})", 0);
  EXPECT_EQ(CommandForSign(own.request, sign), "^A000000HI") << "an address of its own is kept";

  const char* tooWide = R"({"text": "THIS LINE IS FAR TOO WIDE FOR A TEN CHARACTER SIGN"})";
  const MessageRequestParse wide = ParseMessageRequest(tooWide, 0);
  ASSERT_FALSE(wide.error.has_value());
  const std::optional<GatewayError> refused = CheckForSign(wide.request, sign);
  ASSERT_TRUE(refused.has_value());
  EXPECT_EQ(refused->HttpStatus(), 422);
  EXPECT_NE(refused->detail.find("line1"), std::string::npos) << refused->detail;
  MessageRequest forced = wide.request;
  forced.force = true;
  EXPECT_FALSE(CheckForSign(forced, sign).has_value());
}

TEST(GatewayMessageRequest, IsoTimes) {
  EXPECT_EQ(ParseIsoTime("1970-01-01T00:00:00Z"), 0);
  EXPECT_EQ(ParseIsoTime("2000-03-01T01:00:00.250+01:00"), 951868800250);
  EXPECT_EQ(ParseIsoTime("2024-02-29T00:00:00Z"), 1709164800000);
  for (const char* bad : {"2023-02-29T00:00:00Z", "2024-01-01T24:00:00Z", "2024-01-01", "2024-01-01T00:00:00Zx"})
    EXPECT_EQ(ParseIsoTime(bad), std::nullopt) << bad;
}

}  // namespace
