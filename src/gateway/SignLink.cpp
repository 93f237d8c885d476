#include "gateway/SignLink.h"

#include <chrono>

#include "app/Prompter.h"
#include "link/LinkResult.h"
#include "link/PacedWrite.h"
#include "link/SerialLink.h"
#include "link/TcpSend.h"

namespace {

// The TCP road reports through a prompter; this one keeps the text for the send log.
class KeepErrorPrompter : public IPrompter {
 public:
  void Error(const std::string& text) override { error = text; }
  void Information(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return false; }
  std::string error;
};

std::string SendSerial(const SignConfig& sign, const std::string& command) {
  LinkSettings settings;
  settings.portName = sign.serialPort;
  settings.baudRate = sign.baud;
  SerialLink link;
  LinkResult result = link.OpenPort(sign.serialPort, settings);
  if (result.ok())
    result = WriteWithCaretPauses(
        command, [&link](char c) { return link.WritePort(std::string_view(&c, 1)); }, SleepFor);
  link.ClosePort();
  return LinkErrorText(result);
}

}  // namespace

SendOutcome SendToSign(const SignConfig& sign, const std::string& command) {
  const auto start = std::chrono::steady_clock::now();
  SendOutcome outcome;
  if (sign.transport == SignTransport::kTcp) {
    KeepErrorPrompter prompter;
    outcome.sent = SendToAddress(sign.tcpAddress, command, sign.tcpPort, prompter) == kLinkOk;
    outcome.error = outcome.sent ? std::string() : (prompter.error.empty() ? "Error in sending data" : prompter.error);
  } else {
    outcome.error = SendSerial(sign, command);
    outcome.sent = outcome.error.empty();
  }
  outcome.durationMs =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
  return outcome;
}
