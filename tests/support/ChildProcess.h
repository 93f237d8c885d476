#pragma once

// A program run by a test, with its standard output and standard error read line by line.
// Waits are bounded by deadlines; a child still running at the end is killed.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

class ChildProcess {
 public:
  using Clock = std::chrono::steady_clock;
  enum Stream { kOut = 0, kErr = 1 };

  explicit ChildProcess(const std::vector<std::string>& args) {
    int out[2];
    int err[2];
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    if (posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) m_pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    ::close(err[1]);
    m_fds[kOut] = out[0];
    m_fds[kErr] = err[0];
  }
  ~ChildProcess() {
    if (m_pid > 0 && !m_exit) {
      ::kill(m_pid, SIGKILL);
      ::waitpid(m_pid, nullptr, 0);
    }
    for (int fd : m_fds)
      if (fd >= 0) ::close(fd);
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool started() const { return m_pid > 0; }
  pid_t pid() const { return m_pid; }

  // The first line of stream, from those read so far or still to come, that matches; nothing
  // when the stream ends or the time is up first.
  std::optional<std::string> WaitForLine(Stream stream, const std::function<bool(const std::string&)>& matches,
                                         std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
    const auto deadline = Clock::now() + timeout;
    size_t checked = 0;
    for (;;) {
      for (; checked < m_lines[stream].size(); ++checked)
        if (matches(m_lines[stream][checked])) return m_lines[stream][checked];
      if (!ReadSome(deadline)) return std::nullopt;
    }
  }
  std::optional<std::string> WaitForLineStarting(Stream stream, const std::string& start) {
    return WaitForLine(stream, [&](const std::string& line) { return line.rfind(start, 0) == 0; });
  }

  // The exit code once the program has ended (reading its output to the end); nothing
  // when it is still running at the deadline or ended by a signal.
  std::optional<int> WaitExit(std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
    const auto deadline = Clock::now() + timeout;
    while (ReadSome(deadline)) {
    }
    if (!m_exit) {
      int status = 0;
      while (Clock::now() < deadline && ::waitpid(m_pid, &status, WNOHANG) == 0) ::usleep(10000);
      if (Clock::now() >= deadline && ::waitpid(m_pid, &status, WNOHANG) == 0) return std::nullopt;
      m_exit = status;
    }
    if (!WIFEXITED(*m_exit)) return std::nullopt;
    return WEXITSTATUS(*m_exit);
  }

  void Signal(int signal) { ::kill(m_pid, signal); }
  const std::vector<std::string>& Lines(Stream stream) const { return m_lines[stream]; }

 private:
  // Reads what either stream has; false when both have ended or the deadline passed.
  bool ReadSome(Clock::time_point deadline) {
    pollfd watch[2] = {{m_fds[kOut], POLLIN, 0}, {m_fds[kErr], POLLIN, 0}};
    if (m_fds[kOut] < 0 && m_fds[kErr] < 0) return false;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0 || ::poll(watch, 2, static_cast<int>(left)) <= 0) return false;
    for (int stream : {kOut, kErr}) {
      if (!(watch[stream].revents & (POLLIN | POLLHUP))) continue;
      char buffer[4096];
      const ssize_t count = ::read(m_fds[stream], buffer, sizeof buffer);
      if (count <= 0) {
        ::close(m_fds[stream]);
        m_fds[stream] = -1;
        continue;
      }
      std::string& pending = m_pending[stream];
      pending.append(buffer, static_cast<size_t>(count));
      for (size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1))
        m_lines[stream].push_back(pending.substr(0, end));
    }
    return true;
  }

  pid_t m_pid = -1;
  int m_fds[2] = {-1, -1};
  std::string m_pending[2];
  std::vector<std::string> m_lines[2];
  std::optional<int> m_exit;
};
