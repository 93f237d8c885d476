#include <gtest/gtest.h>

#include "database/MessageRow.h"

namespace {

TEST(MessageRow, CellsShowTheTextAndEveryAttribute) {
  CMsgObjDBList record;
  record.m_strText[0] = "Line 3 stopped";
  record.m_nAddressMode = kAddressSpecificUnit;
  record.m_nGroup = 1;
  record.m_nUnit = 12;
  record.m_nPosition = kPositionStartingAt;
  record.m_nLine = 2;
  record.m_nColumn = 5;
  record.m_nResetMode = kResetClearHome;
  record.m_nEffect = kEffectScrollOnce;
  record.m_nFlashMode = kFlashSave;
  const char* expected[] = {
      "Line 3 stopped", "Specific Unit", "1", "12", "Starting at", "2", "5", "Clear Display, Home cursor",
      "Scroll once",    "Save to Flash"};
  for (int column = 0; column < 10; ++column) EXPECT_EQ(GetMessageCellText(record, column), expected[column]);
  EXPECT_EQ(GetMessageCellText(record, -1), "");
  EXPECT_EQ(GetMessageCellText(record, 10), "");
}

TEST(MessageRow, TheTextColumnShowsTheSummary) {
  CMsgObjDBList record;
  record.m_strText[0] = "^K1^dC2GO";
  EXPECT_EQ(GetMessageCellText(record, 0), record.GetSummaryText());
}

}  // namespace
