#pragma once

// A pseudo-terminal pair standing in for a marquee on a serial line: the program opens the
// slave by its path like any port; the test reads what arrives on the master, with the time
// each byte arrived.

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

class PtyPair {
 public:
  using Clock = std::chrono::steady_clock;

  PtyPair() {
    char name[256] = {};
    if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) return;
    m_path.assign(name, ::strnlen(name, sizeof name));
    // Keeping a slave descriptor open lets the master read without hang-ups between sends.
    termios raw{};
    ::tcgetattr(m_slave, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(m_slave, TCSANOW, &raw);
  }
  ~PtyPair() {
    StopReading();
    if (m_master >= 0) ::close(m_master);
    if (m_slave >= 0) ::close(m_slave);
  }
  PtyPair(const PtyPair&) = delete;
  PtyPair& operator=(const PtyPair&) = delete;

  bool ok() const { return !m_path.empty(); }
  // The slave's device path, used as the port name.
  const std::string& path() const { return m_path; }
  int slave() const { return m_slave; }

  // Reads on a thread until `count` bytes arrived or nothing came for `idle`.
  void StartReading(size_t count, std::chrono::milliseconds idle = std::chrono::milliseconds(3000)) {
    m_bytes.clear();
    m_times.clear();
    m_reader = std::thread([this, count, idle] {
      char buffer[4096];
      while (m_bytes.size() < count) {
        pollfd watch{m_master, POLLIN, 0};
        if (::poll(&watch, 1, static_cast<int>(idle.count())) <= 0) break;
        ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n <= 0) break;
        const auto now = Clock::now();
        m_bytes.append(buffer, static_cast<size_t>(n));
        m_times.insert(m_times.end(), static_cast<size_t>(n), now);
      }
    });
  }
  // Waits for the reader; then received() and arrival() hold what came.
  void StopReading() {
    if (m_reader.joinable()) m_reader.join();
  }
  const std::string& received() const { return m_bytes; }
  const std::vector<Clock::time_point>& arrival() const { return m_times; }

 private:
  int m_master = -1;
  int m_slave = -1;
  std::string m_path;
  std::thread m_reader;
  std::string m_bytes;
  std::vector<Clock::time_point> m_times;
};
