// The gateway's engine against a simulated fleet of 200 signs (marquee-sim --tcp-range
// 127.0.46.1-127.0.46.200): one message to a tag of all of them, as a ratio to one sign's
// send in the same run (goal at most 1.5), and the memory a configured idle sign costs
// (goal under 50 KB).

#include <benchmark/benchmark.h>

#include <unistd.h>
#include <QCoreApplication>
#include <QThread>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>

#include "gateway/Gateway.h"
#include "support/ChildProcess.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kFleet = 200;

QCoreApplication& App() {
  static int argc = 1;
  static char name[] = "bench_gateway";
  static char* argv[] = {name, nullptr};
  // Never destroyed: tearing Qt down among the static destructors at exit crashes.
  static QCoreApplication* app = new QCoreApplication(argc, argv);
  return *app;
}

std::string FreshStateDir(const char* name) {
  const auto dir = std::filesystem::temp_directory_path() / ("bench_gateway_" + std::to_string(::getpid()) + name);
  std::filesystem::remove_all(dir);
  return dir.string();
}

GatewayConfig Fleet(int count, const std::string& firstOctets) {
  GatewayConfig config;
  for (int i = 1; i <= count; ++i) {
    SignConfig sign;
    sign.name = "s" + std::to_string(i);
    sign.tcpAddress = firstOctets + std::to_string(i);
    sign.tags = {"fleet"};
    config.signs.push_back(std::move(sign));
  }
  return config;
}

// Seconds from submission until every message it made was sent.
double SendAndWait(Gateway& gateway, const SubmitTarget& target) {
  const auto start = Clock::now();
  SubmitResult result = gateway.Submit(target, R"({"raw": "^E0^C1SHIFT 2  OK"})", "bench");
  if (!result.ok()) return -1;
  size_t done = 0;
  bool failed = false;
  for (const AcceptedMessage& a : result.accepted)
    gateway.WhenFinished(a.id, [&](const MessageInfo& info) {
      ++done;
      failed = failed || info.state != MessageState::kSent;
    });
  while (done < result.accepted.size()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  return failed ? -1 : std::chrono::duration<double>(Clock::now() - start).count();
}

void BM_TagOf200Signs(benchmark::State& state) {
  App();
  ChildProcess sim(
      {MARQUEE_SIM_PROGRAM, "--tcp-range", "127.0.46.1-127.0.46.200", "--no-display", "--log", "/dev/null"});
  QThread::msleep(500);  // the listeners come up
  GatewayConfig config = Fleet(kFleet, "127.0.46.");
  config.queue.maxParallel = static_cast<int>(state.range(0));
  const std::string dir = FreshStateDir("tag");
  auto gateway = std::make_unique<Gateway>(config, dir);
  if (!gateway->Start().ok()) {
    state.SkipWithError("the gateway did not start");
    return;
  }
  double one = 0;
  double fleet = 0;
  for (auto _ : state) {
    one += SendAndWait(*gateway, {SubmitTarget::Kind::kSign, "s1"});
    fleet += SendAndWait(*gateway, {SubmitTarget::Kind::kTag, "fleet"});
  }
  const auto n = static_cast<double>(state.iterations());
  state.counters["one_sign_ms"] = one / n * 1000;
  state.counters["all_200_ms"] = fleet / n * 1000;
  state.counters["ratio"] = fleet / one;
  gateway.reset();
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_TagOf200Signs)->Arg(64)->Arg(200)->Iterations(10)->Unit(benchmark::kMillisecond)->UseRealTime();

// Resident memory in bytes.
double ResidentBytes() {
  long pages = 0;
  long resident = 0;
  std::ifstream("/proc/self/statm") >> pages >> resident;
  return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE));
}

void BM_IdleSignMemory(benchmark::State& state) {
  App();
  const int count = 10000;
  for (auto _ : state) {
    const std::string dir = FreshStateDir("idle");
    const double before = ResidentBytes();
    auto gateway = std::make_unique<Gateway>(Fleet(count, "127.0.47."), dir);
    if (!gateway->Start().ok()) state.SkipWithError("the gateway did not start");
    state.counters["bytes_per_sign"] = (ResidentBytes() - before) / count;
    gateway.reset();
    std::filesystem::remove_all(dir);
  }
}
BENCHMARK(BM_IdleSignMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
