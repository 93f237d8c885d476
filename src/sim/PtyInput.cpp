#include "sim/PtyInput.h"

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/FileIO.h"

PtyInput::~PtyInput() {
  m_notifier.reset();
  if (m_master >= 0) ::close(m_master);
  if (m_device >= 0) ::close(m_device);
}

Status PtyInput::Open() {
  char name[256] = {};
  if (::openpty(&m_master, &m_device, name, nullptr, nullptr) != 0)
    return Status::OsFailure("cannot open a pseudo-terminal: " + SystemErrorText(errno));
  m_path.assign(name, ::strnlen(name, sizeof name));
  // Raw: every byte arrives as sent, nothing is echoed back or turned into a signal.
  termios raw{};
  ::tcgetattr(m_device, &raw);
  ::cfmakeraw(&raw);
  ::tcsetattr(m_device, TCSANOW, &raw);
  ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
  ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
  ::fcntl(m_device, F_SETFD, FD_CLOEXEC);
  m_notifier = std::make_unique<QSocketNotifier>(m_master, QSocketNotifier::Read);
  QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] { ReadAvailable(); });
  return {};
}

void PtyInput::ReadAvailable() {
  char buffer[4096];
  for (;;) {
    const ssize_t count = ::read(m_master, buffer, sizeof buffer);
    if (count > 0) {
      m_onBytes(std::string_view(buffer, static_cast<size_t>(count)));
      continue;
    }
    if (count < 0 && errno == EINTR) continue;
    return;  // EAGAIN: all read for now
  }
}
