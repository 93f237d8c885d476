#include "gateway/SignLink.h"

#include <chrono>

#include "link/LinkResult.h"
#include "link/SendToMarquee.h"
#include "link/TcpSend.h"

SendOutcome SendToSign(const SignConfig& sign, const std::string& command) {
  const auto start = std::chrono::steady_clock::now();
  SendOutcome outcome;
  LinkResult result;
  if (sign.transport == SignTransport::kTcp) {
    result = SendToAddress(sign.tcpAddress, command, sign.tcpPort);
  } else {
    LinkSettings settings;
    settings.portName = sign.serialPort;
    settings.baudRate = sign.baud;
    result = SendOverSerial(command, settings);
  }
  outcome.sent = result.ok();
  outcome.error = LinkErrorText(result);
  outcome.durationMs =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
  return outcome;
}
