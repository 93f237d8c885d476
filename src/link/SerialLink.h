#pragma once

#include <QSerialPort>
#include <string>
#include <string_view>

#include "link/LinkResult.h"
#include "link/LinkSettings.h"

// The serial line to a marquee. A port is open only for the duration of one send, and
// nothing is ever read from it.
class SerialLink {
 public:
  static constexpr int kWriteTimeoutMs = 1000;

  // Opens the named port (a system name such as ttyUSB0 or COM3, or a device path) for
  // writing, exclusively, with the settings' baud rate, data bits, parity and stop bits, and
  // raises DTR where the port has modem lines. Closes any port open before. Returns
  // kLinkInvalidPort when no such port exists, kLinkPortInUse when another program holds it,
  // kLinkSendError when the name is not a character device, kLinkSystemError with the
  // system's text for any other refusal.
  LinkResult OpenPort(const std::string& portName, const LinkSettings& settings);

  // Writes all of text and waits until it has left for the driver, at most kWriteTimeoutMs.
  // kLinkSendError when no port is open, or the write fails or does not finish in time.
  LinkResult WritePort(std::string_view text);

  // Closes the port if one is open, dropping whatever a failed write left unsent. Safe to call
  // at any time.
  void ClosePort();

 private:
  LinkResult ApplyLineSettings(const LinkSettings& settings);

  QSerialPort m_port;
};
