// Serial send of a 2,000-character command with 200 carets to a pseudo-terminal. The ideal
// time is the 200 pauses of 10 ms plus the time the same send takes without them (opening,
// 2,000 single-byte writes, closing). "ratio" is the measured time over that ideal; the goal
// is at most 1.05.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <chrono>

#include "link/SendToMarquee.h"
#include "support/PtyPair.h"
#include "support/RecordingPrompter.h"

namespace {

using Seconds = std::chrono::duration<double>;

std::string CommandWithCarets() {
  std::string command;
  for (int i = 0; i < 200; ++i) command += "^E1Hello!";
  command += std::string(2000 - command.size(), 'x');
  return command;
}

double SendSeconds(benchmark::State& state, const std::string& command, const LinkSettings& settings,
                   const Sleeper& sleep) {
  RecordingPrompter prompter;
  const auto start = std::chrono::steady_clock::now();
  if (!SendToMarquee(command, settings, prompter, nullptr, sleep).ok()) state.SkipWithError("send failed");
  return Seconds(std::chrono::steady_clock::now() - start).count();
}

void BM_SerialSend(benchmark::State& state) {
  int argc = 1;
  char name[] = "bench_serial_send";
  char* argv[] = {name, nullptr};
  QCoreApplication app(argc, argv);  // the serial port's notifiers need one

  PtyPair pty;
  if (!pty.ok()) return state.SkipWithError("no pseudo-terminal");
  pty.StartReading(SIZE_MAX, std::chrono::milliseconds(1000));
  LinkSettings settings;
  settings.portName = pty.path();
  const std::string command = CommandWithCarets();
  const auto carets = std::count(command.begin(), command.end(), '^');

  double writesOnly = 0;
  constexpr int kWarmRuns = 5;
  for (int i = 0; i < kWarmRuns; ++i) writesOnly += SendSeconds(state, command, settings, [](auto) {});
  writesOnly /= kWarmRuns;
  const double ideal = static_cast<double>(carets) * Seconds(kCaretPause).count() + writesOnly;

  double total = 0;
  for (auto _ : state) {
    double seconds = SendSeconds(state, command, settings, SleepFor);
    state.SetIterationTime(seconds);
    total += seconds;
  }
  state.counters["writes_only_ms"] = writesOnly * 1000;
  state.counters["ideal_ms"] = ideal * 1000;
  state.counters["ratio"] = total / static_cast<double>(state.iterations()) / ideal;
}

}  // namespace

BENCHMARK(BM_SerialSend)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
