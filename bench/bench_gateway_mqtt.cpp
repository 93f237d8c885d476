// Commands through a real broker and the marquee-gateway program to 50 simulated signs
// (marquee-sim --tcp-range 127.0.48.1-127.0.48.50): commands per second from a publisher's
// burst to the last result (goal at least 1,000), and the 99th percentile from publish to
// the "sent" result at a steady 200 commands per second (goal under 50 ms). The burst stays
// under the broker's default max_queued_messages (1000), beyond which it drops QoS 1
// messages queued for a session.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <map>
#include <nlohmann/json.hpp>

#include "GatewayProgram.h"
#include "MosquittoBroker.h"
#include "gateway/MqttClient.h"

namespace {

constexpr int kSigns = 50;

QCoreApplication& App() {
  static int argc = 1;
  static char name[] = "bench_gateway_mqtt";
  static char* argv[] = {name, nullptr};
  static QCoreApplication* app = new QCoreApplication(argc, argv);  // never destroyed, as in bench_gateway
  return *app;
}

void BM_CommandsThroughTheBroker(benchmark::State& state) {
  App();
  MosquittoBroker broker;
  if (!broker.Start()) return state.SkipWithError(broker.Error().c_str());
  QTemporaryDir dir;
  ChildProcess signs({MARQUEE_SIM_PROGRAM, "--tcp-range", "127.0.48.1-127.0.48." + std::to_string(kSigns),
                      "--no-display", "--log", "/dev/null"});
  SpinUntil([] { return false; }, 500);  // the listeners come up
  GatewayProgram gateway = StartGateway(
      dir.path().toStdString(), "gw",
      "[http]\nlisten = \"127.0.0.1:0\"\n[queue]\nsupersede = false\n[mqtt]\nport = " + std::to_string(broker.Port()) +
          "\nclient_id = \"gw\"\n" + SignsToml(1, kSigns, "127.0.48.", "all"));
  if (gateway.port == 0) return state.SkipWithError("the gateway did not start");

  QElapsedTimer clock;
  clock.start();
  std::map<std::string, int64_t> published;  // command id -> publish time (microseconds)
  std::vector<int64_t> latencies;
  int64_t lastResult = 0;
  MqttSettings settings;
  settings.port = broker.Port();
  settings.clientId = "bench";
  MqttClient client(settings);
  client.SetMessageHandler([&](const std::string&, const std::string& payload, bool) {
    nlohmann::json result = nlohmann::json::parse(payload, nullptr, false);
    auto sent = published.find(result.value("command_id", ""));
    if (sent == published.end() || result.value("status", "") != "sent") return;
    lastResult = clock.nsecsElapsed() / 1000;
    latencies.push_back(lastResult - sent->second);
  });
  client.Subscribe("marquee/signs/+/result", 1);
  if (!client.Start().ok() || !SpinUntil([&] { return client.IsConnected(); })) return state.SkipWithError("broker");
  SpinUntil([] { return false; }, 1500);  // the gateway settles its claims

  int next = 0;
  auto publish = [&] {
    const std::string id = "b" + std::to_string(next);
    published[id] = clock.nsecsElapsed() / 1000;
    (void)client.Publish("marquee/signs/s" + std::to_string(next % kSigns + 1) + "/message/set",
                         "{\"id\": \"" + id + "\", \"raw\": \"^E0COUNT " + std::to_string(next) + "\"}", 1, false);
    ++next;
  };
  const int burst = static_cast<int>(state.range(0));
  for (auto _ : state) {
    const int64_t start = clock.nsecsElapsed() / 1000;
    for (int i = 0; i < burst; ++i) publish();
    if (!SpinUntil([&] { return latencies.size() == size_t(burst); }, 120000))
      return state.SkipWithError("results missing");
    state.counters["burst_commands_per_s"] = burst * 1e6 / double(lastResult - start);

    latencies.clear();
    const int paced = 400;
    for (int i = 0; i < paced; ++i) {
      publish();
      const int64_t due = clock.nsecsElapsed() / 1000 + 5000;  // 200 per second
      SpinUntil([&] { return clock.nsecsElapsed() / 1000 >= due; }, 100);
    }
    if (!SpinUntil([&] { return latencies.size() == size_t(paced); }, 60000))
      return state.SkipWithError("paced results missing");
    std::sort(latencies.begin(), latencies.end());
    state.counters["paced_p50_ms"] = double(latencies[latencies.size() / 2]) / 1000.0;
    state.counters["paced_p99_ms"] = double(latencies[latencies.size() * 99 / 100]) / 1000.0;
  }
}
BENCHMARK(BM_CommandsThroughTheBroker)->Arg(800)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
