#pragma once

#include <QProcess>
#include <QTemporaryDir>
#include <cstdint>
#include <functional>
#include <string>

// A real Mosquitto broker for one test: on a free loopback port, with its config, its
// persistence and its log in a folder of its own, started and stopped by the test.
class MosquittoBroker {
 public:
  MosquittoBroker();
  ~MosquittoBroker();

  // Starts the broker (again, after Stop or Kill: same port, same persisted sessions) and
  // waits until it accepts connections. False with the reason in Error().
  bool Start();
  // SIGTERM: the broker saves its sessions and queued messages, then ends.
  void Stop();
  void Kill();

  uint16_t Port() const { return m_port; }
  const std::string& Error() const { return m_error; }

 private:
  QTemporaryDir m_dir;
  QProcess m_process;
  uint16_t m_port = 0;
  std::string m_error;
};

// Runs the event loop until done() holds or timeoutMs pass; returns done().
bool SpinUntil(const std::function<bool()>& done, int timeoutMs = 10000);
