// The gateway program's POST accept rate and latency: marquee-gateway as a child process
// with 8 simulated signs that take everything (marquee-sim --tcp-range
// 127.0.48.1-127.0.48.8), and CONNECTIONS keep-alive clients that each post a message,
// wait for its 202 and post the next, for a few seconds (goal: at least 2,000 requests/s
// with p99 under 10 ms on a 2-core machine). Every 202 waits for the disk.

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/ChildProcess.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kSigns = 8;
constexpr auto kRunTime = std::chrono::seconds(3);

struct Connection {
  int fd = -1;
  std::string request;
  std::string received;
  Clock::time_point sent;
  int statusFailures = 0;
};

// The length of the whole response at the front of data, once it is all there.
std::optional<size_t> ResponseLength(const std::string& data) {
  const size_t headerEnd = data.find("\r\n\r\n");
  if (headerEnd == std::string::npos) return std::nullopt;
  std::string headers = data.substr(0, headerEnd);
  std::transform(headers.begin(), headers.end(), headers.begin(), [](unsigned char c) { return std::tolower(c); });
  const size_t field = headers.find("content-length:");
  const size_t body = field == std::string::npos ? 0 : std::stoul(headers.substr(field + 15));
  if (data.size() < headerEnd + 4 + body) return std::nullopt;
  return headerEnd + 4 + body;
}

int Connect(uint16_t port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd);
    return -1;
  }
  const int on = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  return fd;
}

void BM_PostAcceptRate(benchmark::State& state) {
  const auto dir = std::filesystem::temp_directory_path() / ("bench_gateway_post_" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  std::ofstream config(dir / "gateway.toml");
  config << "[http]\nlisten = \"127.0.0.1:0\"\ntoken = \"bench\"\n";
  for (int i = 1; i <= kSigns; ++i)
    config << "\n[[signs]]\nname = \"s" << i << "\"\ntcp = \"127.0.48." << i << "\"\ngroup = 1\n";
  config.close();

  ChildProcess sim(
      {MARQUEE_SIM_PROGRAM, "--tcp-range", "127.0.48.1-127.0.48." + std::to_string(kSigns), "--log", "/dev/null"});
  ChildProcess gateway(
      {MARQUEE_GATEWAY_PROGRAM, "--config", (dir / "gateway.toml").string(), "--state", (dir / "state").string()});
  const auto listening = gateway.WaitForLine(ChildProcess::kErr, [](const std::string& line) {
    return line.find("listening on http://") != std::string::npos;
  });
  if (!listening) {
    state.SkipWithError("the gateway did not start");
    return;
  }
  const auto port = static_cast<uint16_t>(std::stoi(listening->substr(listening->rfind(':') + 1)));

  const int epoll = ::epoll_create1(EPOLL_CLOEXEC);
  std::vector<Connection> connections(static_cast<size_t>(state.range(0)));
  const std::string body = R"({"raw": "^E0^C1SHIFT 2  OK"})";
  for (size_t i = 0; i < connections.size(); ++i) {
    Connection& c = connections[i];
    c.fd = Connect(port);
    c.request = "POST /api/v1/signs/s" + std::to_string(i % kSigns + 1) +
                "/messages HTTP/1.1\r\nHost: 127.0.0.1\r\nAuthorization: Bearer bench\r\n"
                "Content-Type: application/json\r\nContent-Length: " +
                std::to_string(body.size()) + "\r\n\r\n" + body;
    epoll_event event{EPOLLIN, {.u64 = i}};
    ::epoll_ctl(epoll, EPOLL_CTL_ADD, c.fd, &event);
  }

  std::vector<double> latencies;
  int failures = 0;
  double seconds = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    for (Connection& c : connections) {
      c.sent = Clock::now();
      if (::send(c.fd, c.request.data(), c.request.size(), MSG_NOSIGNAL) < 0) ++failures;
    }
    size_t open = connections.size();
    epoll_event events[64];
    char buffer[4096];
    while (open > 0) {
      const int ready = ::epoll_wait(epoll, events, 64, 5000);
      if (ready <= 0) break;
      for (int e = 0; e < ready; ++e) {
        Connection& c = connections[events[e].data.u64];
        const ssize_t got = ::recv(c.fd, buffer, sizeof buffer, 0);
        if (got <= 0) {
          ++failures;
          --open;
          ::epoll_ctl(epoll, EPOLL_CTL_DEL, c.fd, nullptr);
          continue;
        }
        c.received.append(buffer, static_cast<size_t>(got));
        const std::optional<size_t> length = ResponseLength(c.received);
        if (!length) continue;
        const auto now = Clock::now();
        latencies.push_back(std::chrono::duration<double, std::milli>(now - c.sent).count());
        if (c.received.compare(0, 12, "HTTP/1.1 202") != 0) ++failures;
        c.received.erase(0, *length);
        if (now - start >= kRunTime) {
          --open;
          continue;
        }
        c.sent = now;
        if (::send(c.fd, c.request.data(), c.request.size(), MSG_NOSIGNAL) < 0) ++failures;
      }
    }
    seconds += std::chrono::duration<double>(Clock::now() - start).count();
  }
  for (Connection& c : connections) ::close(c.fd);
  ::close(epoll);
  std::sort(latencies.begin(), latencies.end());
  auto percentile = [&](double p) {
    return latencies.empty() ? 0.0 : latencies[static_cast<size_t>(p * static_cast<double>(latencies.size() - 1))];
  };
  state.counters["requests_per_s"] = static_cast<double>(latencies.size()) / seconds;
  state.counters["p50_ms"] = percentile(0.50);
  state.counters["p99_ms"] = percentile(0.99);
  state.counters["failures"] = failures;
  if (failures > 0) state.SkipWithError("some requests were not answered 202");
  gateway.Signal(SIGTERM);
  gateway.WaitExit();
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_PostAcceptRate)->Arg(8)->Arg(16)->Arg(32)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
