#include "link/LinkResult.h"

#include "common/Prompter.h"
#include "link/TcpRules.h"

LinkResult LinkResult::Serial(int code, std::string systemText) {
  if (code == kLinkOk) return {};
  return {code == kLinkInvalidPort ? ErrorClass::BadInput : ErrorClass::OsFailure,
          code,
          false,
          std::move(systemText),
          {},
          0};
}

LinkResult LinkResult::SerialTimeout() {
  return {ErrorClass::OsFailure, kLinkSendError, true, {}, {}, 0};
}

LinkResult LinkResult::Socket(std::string operation, int systemCode, std::string systemText, bool timedOut) {
  return {ErrorClass::OsFailure, kLinkSendError, timedOut, std::move(systemText), std::move(operation), systemCode};
}

std::string LinkErrorText(const LinkResult& result) {
  if (!result.operation.empty()) return FormatSocketErrorText(result.operation, result.systemCode, result.systemText);
  switch (result.code) {
    case kLinkOk:
      return {};
    case kLinkInvalidPort:
      return "Invalid Port";
    case kLinkPortInUse:
      return "Port in use Retry later";
    case kLinkSendError:
      return "Error in sending data";
    default:
      return result.systemText.empty() ? "Error in sending data" : result.systemText;
  }
}

Status ToStatus(const LinkResult& result) {
  switch (result.errorClass) {
    case ErrorClass::None:
      return {};
    case ErrorClass::BadInput:
      return Status::BadInput(LinkErrorText(result));
    case ErrorClass::Unsupported:
      return Status::Unsupported(LinkErrorText(result));
    case ErrorClass::OsFailure:
      break;
  }
  return Status::OsFailure(LinkErrorText(result));
}

void ShowLinkError(const LinkResult& result, IPrompter& prompter) {
  if (!result.ok()) prompter.Error(LinkErrorText(result));
}
