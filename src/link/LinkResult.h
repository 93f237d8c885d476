#pragma once

#include <string>

class IPrompter;

// Result codes of opening and writing a port.
inline constexpr int kLinkOk = 0;
inline constexpr int kLinkInvalidPort = 1;  // no such port, or the port is unusable
inline constexpr int kLinkPortInUse = 2;    // another program holds the port
inline constexpr int kLinkSendError = 3;    // not a character device, or a write failed
inline constexpr int kLinkSystemError = 4;  // any other failure; systemText says what

// The outcome of opening or writing a port: a result code and, for kLinkSystemError, the
// system's own description of the failure (UTF-8, as messages are).
struct LinkResult {
  int code = kLinkOk;
  std::string systemText;

  bool ok() const { return code == kLinkOk; }
};

// The text the operator sees for a result: empty for success, "Invalid Port",
// "Port in use Retry later" or "Error in sending data" for codes 1 to 3, and the system's
// text for any other code ("Error in sending data" when the system gave none).
std::string LinkErrorText(const LinkResult& result);

// Shows LinkErrorText as an error (stop icon); shows nothing for success.
void ShowLinkError(const LinkResult& result, IPrompter& prompter);
