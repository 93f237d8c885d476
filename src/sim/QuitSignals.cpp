#include "sim/QuitSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <csignal>

namespace {

// The pipe a signal handler may write to (writing is async-signal-safe).
int g_pipe[2] = {-1, -1};
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

void OnSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
}

}  // namespace

QuitSignals::QuitSignals(std::function<void()> onSignal) : m_onSignal(std::move(onSignal)) {
  if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  m_notifier = std::make_unique<QSocketNotifier>(g_pipe[0], QSocketNotifier::Read);
  QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] {
    char bytes[16];
    while (::read(g_pipe[0], bytes, sizeof bytes) > 0) {
    }
    m_onSignal();
  });
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  for (int signal : kSignals) ::sigaction(signal, &action, nullptr);
}

QuitSignals::~QuitSignals() {
  for (int signal : kSignals) std::signal(signal, SIG_DFL);
  m_notifier.reset();
  for (int& end : g_pipe) {
    if (end >= 0) ::close(end);
    end = -1;
  }
}
