#pragma once

#include <QSocketNotifier>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "common/Status.h"

// The marquee's serial port: a pseudo-terminal in raw mode whose device path a program
// opens like any serial port. The simulator keeps the device side open too, so senders
// may open and close it as often as they like without ending the stream.
class PtyInput {
 public:
  using BytesHandler = std::function<void(std::string_view bytes)>;

  explicit PtyInput(BytesHandler onBytes) : m_onBytes(std::move(onBytes)) {}
  ~PtyInput();
  PtyInput(const PtyInput&) = delete;
  PtyInput& operator=(const PtyInput&) = delete;

  // Opens the pseudo-terminal; OsFailure with the system's reason when none is available.
  Status Open();
  // The device path senders open (/dev/pts/N); empty until opened.
  const std::string& Path() const { return m_path; }

 private:
  void ReadAvailable();

  BytesHandler m_onBytes;
  int m_master = -1;
  int m_device = -1;
  std::string m_path;
  std::unique_ptr<QSocketNotifier> m_notifier;
};
