#pragma once

#include <QSocketNotifier>
#include <functional>
#include <memory>

// Turns SIGINT, SIGTERM and SIGHUP into a call on the event loop, so the program ends
// through its normal path (the last message logged, the terminal restored).
class QuitSignals {
 public:
  explicit QuitSignals(std::function<void()> onSignal);
  ~QuitSignals();
  QuitSignals(const QuitSignals&) = delete;
  QuitSignals& operator=(const QuitSignals&) = delete;

 private:
  std::function<void()> m_onSignal;
  std::unique_ptr<QSocketNotifier> m_notifier;
};
