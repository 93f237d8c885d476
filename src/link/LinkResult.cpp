#include "link/LinkResult.h"

#include "common/Prompter.h"

std::string LinkErrorText(const LinkResult& result) {
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

void ShowLinkError(const LinkResult& result, IPrompter& prompter) {
  if (!result.ok()) prompter.Error(LinkErrorText(result));
}
