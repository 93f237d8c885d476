#include <gtest/gtest.h>

#include "link/LinkResult.h"
#include "support/RecordingPrompter.h"

TEST(LinkResult, TextAndClassOfEveryKind) {
  struct Row {
    LinkResult result;
    const char* text;
    ErrorClass errorClass;
    bool timedOut = false;
  };
  const Row rows[] = {
      {{}, "", ErrorClass::None},
      {LinkResult::Serial(kLinkInvalidPort), "Invalid Port", ErrorClass::BadInput},
      {LinkResult::Serial(kLinkPortInUse), "Port in use Retry later", ErrorClass::OsFailure},
      {LinkResult::Serial(kLinkSendError), "Error in sending data", ErrorClass::OsFailure},
      {LinkResult::SerialTimeout(), "Error in sending data", ErrorClass::OsFailure, true},
      {LinkResult::Serial(kLinkSystemError, "Inappropriate ioctl for device"), "Inappropriate ioctl for device",
       ErrorClass::OsFailure},
      {LinkResult::Serial(kLinkSystemError), "Error in sending data", ErrorClass::OsFailure},
      {LinkResult::Socket("Connect", 111, "Connection refused", false), "Connect error : Connection refused",
       ErrorClass::OsFailure},
      {LinkResult::Socket("Send timeout", 0, "", true), "Send timeout error", ErrorClass::OsFailure, true},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(LinkErrorText(row.result), row.text) << row.result.code;
    EXPECT_EQ(row.result.ok(), row.errorClass == ErrorClass::None) << row.text;
    EXPECT_EQ(row.result.timedOut, row.timedOut) << row.text;
    const Status status = ToStatus(row.result);
    EXPECT_EQ(status.errorClass(), row.errorClass) << row.text;
    EXPECT_EQ(status.message(), row.text);
  }
  EXPECT_EQ(LinkResult::Socket("Send timeout", 0, "", true).code, kLinkSendError) << "a TCP failure is a send error";
}

TEST(LinkResult, ShowLinkErrorShowsFailuresOnly) {
  RecordingPrompter prompter;
  ShowLinkError({}, prompter);
  EXPECT_TRUE(prompter.errors.empty());
  ShowLinkError(LinkResult::Serial(kLinkPortInUse), prompter);
  ShowLinkError(LinkResult::Serial(kLinkSystemError, "Permission denied"), prompter);
  EXPECT_EQ(prompter.errors, (std::vector<std::string>{"Port in use Retry later", "Permission denied"}));
  EXPECT_TRUE(prompter.information.empty());
}
