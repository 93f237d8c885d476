#include <gtest/gtest.h>

#include "link/LinkResult.h"
#include "support/RecordingPrompter.h"

TEST(LinkResult, TextForEveryCode) {
  struct Row {
    LinkResult result;
    const char* text;
  };
  const Row rows[] = {
      {{kLinkOk, {}}, ""},
      {{kLinkInvalidPort, {}}, "Invalid Port"},
      {{kLinkPortInUse, {}}, "Port in use Retry later"},
      {{kLinkSendError, {}}, "Error in sending data"},
      {{kLinkSystemError, "Inappropriate ioctl for device"}, "Inappropriate ioctl for device"},
      {{kLinkSystemError, {}}, "Error in sending data"},
  };
  for (const Row& row : rows) EXPECT_EQ(LinkErrorText(row.result), row.text) << row.result.code;
}

TEST(LinkResult, ShowLinkErrorShowsFailuresOnly) {
  RecordingPrompter prompter;
  ShowLinkError({}, prompter);
  EXPECT_TRUE(prompter.errors.empty());
  ShowLinkError({kLinkPortInUse, {}}, prompter);
  ShowLinkError({kLinkSystemError, "Permission denied"}, prompter);
  EXPECT_EQ(prompter.errors, (std::vector<std::string>{"Port in use Retry later", "Permission denied"}));
  EXPECT_TRUE(prompter.information.empty());
}
