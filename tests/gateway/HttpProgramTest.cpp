// marquee-gateway's HTTP side end to end: the real program on a free loopback port with
// simulated signs, a plain socket client, and the fleet page in a headless Chromium.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <QDir>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>

#include "HttpExchange.h"
#include "support/ChildProcess.h"

namespace {

class GatewayHttp : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_sim.WaitForLine(ChildProcess::kErr, [](const std::string& line) {
      return line.find("127.0.5.2") != std::string::npos && line.find("listen") != std::string::npos;
    })) << "the simulator did not start";
    const std::string config = m_dir.filePath("gateway.toml").toStdString();
    std::ofstream(config)
        << "[http]\nlisten = \"127.0.0.1:0\"\ntoken = \"s3cret\"\nmax_body_bytes = 4096\n"
           "[[signs]]\nname = \"line1\"\ntcp = \"127.0.5.1\"\ngroup = 1\nunit = 5\nmodel = 10\n"
           "tags = [\"hall-a\"]\n"
           "[[signs]]\nname = \"line2\"\ntcp = \"127.0.5.2\"\nmodel = 10\ntags = [\"hall-a\", \"hall-b\"]\n";
    m_gateway = std::make_unique<ChildProcess>(
        std::vector<std::string>{MARQUEE_GATEWAY_PROGRAM, "--config", config, "--state", m_dir.path().toStdString()});
    const auto line = m_gateway->WaitForLineStarting(ChildProcess::kErr, "marquee-gateway: listening on");
    ASSERT_TRUE(line) << "the gateway did not start";
    m_port = static_cast<uint16_t>(std::stoi(line->substr(line->rfind(':') + 1)));
  }

  Response Do(const std::string& bytes) { return Exchange(m_port, bytes); }

  QTemporaryDir m_dir;
  ChildProcess m_sim{{MARQUEE_SIM_PROGRAM, "--tcp-range", "127.0.5.1-127.0.5.2", "--model", "10", "--no-display"}};
  std::unique_ptr<ChildProcess> m_gateway;
  uint16_t m_port = 0;
};

TEST_F(GatewayHttp, APostIsAcceptedSentAndShownWithItsExactCommand) {
  const Response accepted = Do(Request("POST", "/api/v1/tags/hall-a/messages", R"({"raw": "^dC2HI"})"));
  ASSERT_EQ(accepted.status, 202) << accepted.body;
  ASSERT_EQ(accepted.Json()["messages"].size(), 2u);
  EXPECT_EQ(accepted.Json()["messages"][0]["command"], "^A010005^dC2HI");
  EXPECT_EQ(accepted.Json()["messages"][1]["command"], "^A000000^dC2HI");

  const Response sent = Do(Request("POST", "/api/v1/signs/line1/messages?wait=20", R"({"raw": "NEXT"})"));
  ASSERT_EQ(sent.status, 200) << sent.body;
  const std::string id = sent.Json()["messages"][0]["id"];
  EXPECT_EQ(sent.Json()["messages"][0]["state"], "sent");
  EXPECT_EQ(Do(Request("GET", "/api/v1/messages/" + id)).Json()["state"], "sent");
  EXPECT_EQ(Do(Request("GET", "/api/v1/signs/line1")).Json()["current_command"], "^A010005NEXT");
  const Response log = Do(Request("GET", "/api/v1/log?sign=line1&limit=1"));
  EXPECT_EQ(log.Json()["log"][0]["message_id"], id);

  const Response png = Do(Request("GET", "/api/v1/signs/line1/preview.png?frame=3"));
  EXPECT_EQ(png.status, 200);
  EXPECT_EQ(png.body.substr(1, 3), "PNG");
}

TEST_F(GatewayHttp, WritesNeedTheTokenReadsDoNot) {
  const std::string body = R"({"raw": "X"})";
  for (const std::string auth :
       {"", "Authorization: Bearer wrong\r\n", "Authorization: Bearer s3cre\r\n", "Authorization: Basic s3cret\r\n"}) {
    const Response refused =
        Do(Request("POST", "/api/v1/signs/line1/messages", body, auth + "Content-Type: application/json\r\n"));
    EXPECT_EQ(refused.status, 401) << auth;
    EXPECT_EQ(refused.Json()["error"], "unauthorized");
  }
  EXPECT_EQ(Do(Request("GET", "/api/v1/signs", "", "")).status, 200);
  EXPECT_EQ(Do(Request("GET", "/healthz", "", "")).Json()["status"], "ok");
}

TEST_F(GatewayHttp, BadRequestsGetTheirErrorAndChangeNothing) {
  struct Case {
    std::string bytes;
    int status;
    const char* error;
  };
  const std::string post = "/api/v1/signs/line1/messages";
  const std::vector<Case> cases = {
      {Request("POST", post, "{\"raw\": "), 400, "bad_json"},
      {Request("POST", post, R"({"raw": "A", "colour": 1})"), 400, "unknown_field"},
      {Request("POST", post, R"({"raw": "A", "expires": -5})"), 400, nullptr},
      {Request("POST", post + "?wait=61", R"({"raw": "A"})"), 400, "out_of_range"},
      {Request("POST", post + "?hurry=1", R"({"raw": "A"})"), 400, "unknown_parameter"},
      {Request("POST", "/api/v1/signs/nope/messages", R"({"raw": "A"})"), 404, "unknown_sign"},
      {Request("POST", "/api/v1/tags/nope/messages", R"({"raw": "A"})"), 404, "unknown_tag"},
      {Request("POST", post, R"({"raw": "A"})", "Authorization: Bearer s3cret\r\nContent-Type: text/plain\r\n"), 415,
       "unsupported_media_type"},
      {Request("DELETE", "/api/v1/messages/nope", "", "Authorization: Bearer s3cret\r\n"), 404, "unknown_interrupt"},
      {Request("POST", post, R"({"raw": "A"})",
               "Authorization: Bearer s3cret\r\nContent-Type: application/json\r\nOrigin: http://evil.example\r\n"),
       403, "cross_origin"},
      {Request("POST", post, "{\"raw\": \"" + std::string(5000, 'A') + "\"}"), 413, "payload_too_large"},
      {"POST " + post + " HTTP/1.1\r\nHost: x\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n0\r\n\r\n", 411,
       "length_required"},
      {"GET /api/v1/signs HTTP/1.1\r\nX: " + std::string(20000, 'a') + "\r\n\r\n", 431, "header_too_large"},
      {"\x16\x03\x01 garbage\r\n\r\n", 400, "bad_request"},
      {Request("DELETE", "/api/v1/signs"), 405, "method_not_allowed"},
      {Request("GET", "/api/v1/nothing"), 404, "not_found"},
      {Request("GET", "/api/v1/signs/line1/preview.png?frame=-1"), 400, "out_of_range"},
      {Request("GET", "/api/v1/log?since=yesterday"), 400, "bad_time"},
      {Request("GET", "/api/v1/messages/12345"), 404, "unknown_message"},
  };
  for (const Case& c : cases) {
    const Response response = Do(c.bytes);
    EXPECT_EQ(response.status, c.status) << c.bytes.substr(0, 120) << "\n" << response.body;
    const nlohmann::json json = response.Json();
    ASSERT_TRUE(json.is_object() && json.contains("detail")) << response.body;
    if (c.error) {
      EXPECT_EQ(json["error"], c.error) << c.bytes.substr(0, 120);
    }
  }
  EXPECT_TRUE(Do(Request("GET", "/api/v1/log")).Json()["log"].empty());
  EXPECT_EQ(Do(Request("GET", "/healthz")).status, 200);
}

TEST_F(GatewayHttp, MetricsAreValidPrometheusText) {
  ASSERT_EQ(Do(Request("POST", "/api/v1/signs/line2/messages?wait=20", R"({"raw": "A"})")).status, 200);
  const Response metrics = Do(Request("GET", "/metrics"));
  ASSERT_EQ(metrics.status, 200);
  const std::regex sample(
      R"(^[a-zA-Z_:][a-zA-Z0-9_:]*(\{([a-zA-Z_][a-zA-Z0-9_]*="([^"\\]|\\.)*",?)*\})? -?[0-9.e+]+$)");
  const std::regex comment(R"(^# (HELP|TYPE) [a-zA-Z_:][a-zA-Z0-9_:]* .+$)");
  std::istringstream lines(metrics.body);
  for (std::string line; std::getline(lines, line);)
    EXPECT_TRUE(std::regex_match(line, sample) || std::regex_match(line, comment)) << line;
  EXPECT_NE(metrics.body.find("marquee_gateway_sends_total{sign=\"line2\"} 1\n"), std::string::npos);
  EXPECT_NE(metrics.body.find("marquee_gateway_send_duration_seconds_count{sign=\"line2\"} 1\n"), std::string::npos);
}

TEST_F(GatewayHttp, TheFleetPageShowsEverySignInABrowser) {
  const char* chromium = "/usr/bin/chromium";
  if (!std::filesystem::exists(chromium)) GTEST_SKIP() << "chromium is not installed";
  ASSERT_EQ(Do(Request("POST", "/api/v1/signs/line1/messages?wait=20", R"({"raw": "^dC3READY"})")).status, 200);
  const std::string url = "http://127.0.0.1:" + std::to_string(m_port) + "/";
  const std::string profile = m_dir.filePath("chromium").toStdString();
  const std::vector<std::string> browser = {chromium,
                                            "--headless",
                                            "--no-sandbox",
                                            "--disable-gpu",
                                            "--disable-quic",
                                            "--no-first-run",
                                            "--disable-background-networking",
                                            "--disable-component-update",
                                            "--disable-sync",
                                            "--user-data-dir=" + profile,
                                            "--window-size=1280,720",
                                            "--virtual-time-budget=4000"};
  std::vector<std::string> dump = browser;
  dump.insert(dump.end(), {"--dump-dom", url});
  ChildProcess page(dump);
  ASSERT_TRUE(page.WaitExit(std::chrono::seconds(60)));
  std::string dom;
  for (const std::string& line : page.Lines(ChildProcess::kOut)) dom += line + "\n";
  for (const char* expected : {"data-sign=\"line1\"", "data-sign=\"line2\"", "^A010005^dC3READY", ">hall-b</button>",
                               "2 signs, 0 failed", "/api/v1/signs/line1/preview.png"})
    EXPECT_NE(dom.find(expected), std::string::npos) << expected << "\n" << dom;

  const std::string shot = std::string(MARQUEE_SCREENSHOT_DIR) + "/gateway-fleet-page.png";
  QDir().mkpath(MARQUEE_SCREENSHOT_DIR);
  std::vector<std::string> screenshot = browser;
  screenshot.insert(screenshot.end(), {"--screenshot=" + shot, url});
  ChildProcess picture(screenshot);
  ASSERT_TRUE(picture.WaitExit(std::chrono::seconds(60)));
  EXPECT_GT(std::filesystem::file_size(shot), 10000u);
}

}  // namespace
