#pragma once

#include <string>
#include <utility>

#include "common/Status.h"

class IPrompter;

// The link's own codes for a failed send.
inline constexpr int kLinkOk = 0;
inline constexpr int kLinkInvalidPort = 1;  // no such port, or the port is unusable
inline constexpr int kLinkPortInUse = 2;    // another program holds the port
inline constexpr int kLinkSendError = 3;    // not a character device, a write failed, or a socket operation failed
inline constexpr int kLinkSystemError = 4;  // any other refusal of the port; systemText says what

// The outcome of a send over either link, of the same kind as a Status: the class of the
// failure (BadInput for a port that does not exist, OsFailure for every other refusal), the
// link's code and what the system said; timedOut when the marquee or the line did not take
// the bytes in time. A TCP failure also names the socket operation that failed.
struct [[nodiscard]] LinkResult {
  ErrorClass errorClass = ErrorClass::None;
  int code = kLinkOk;
  bool timedOut = false;
  // Serial: the system's description of a kLinkSystemError. TCP: the system's message for
  // systemCode. UTF-8, as messages are.
  std::string systemText;
  // TCP only: "Create", "Connect", "Send", "Send timeout" or "Close", and the system's error
  // code behind the failure (0 when the system reported none, as after a time-out).
  std::string operation;
  int systemCode = 0;

  bool ok() const { return code == kLinkOk; }

  // A serial failure; its class follows from the code.
  static LinkResult Serial(int code, std::string systemText = {});
  // A serial write that did not leave for the line in time.
  static LinkResult SerialTimeout();
  // A failed socket operation; timedOut when it waited its limit.
  static LinkResult Socket(std::string operation, int systemCode, std::string systemText, bool timedOut);
};

// The text the operator sees for a result: empty for success; for the serial link
// "Invalid Port", "Port in use Retry later" or "Error in sending data" for codes 1 to 3 and
// the system's text for any other code ("Error in sending data" when the system gave none);
// for TCP "<operation> error : <system text>", or "<operation> error" when the code is 0.
std::string LinkErrorText(const LinkResult& result);

// The result as a Status with LinkErrorText as its message.
Status ToStatus(const LinkResult& result);

// Shows LinkErrorText as an error (stop icon); shows nothing for success.
void ShowLinkError(const LinkResult& result, IPrompter& prompter);
