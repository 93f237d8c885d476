#include <gtest/gtest.h>

#include <climits>

#include "message/CMsgObjDBList.h"
#include "message/CurrentMessage.h"

namespace {

TEST(MessageRecord, NamesFollowTheTablesAndFallBackToValueZero) {
  struct Case {
    std::string (*name)(int);
    int value;
    const char* expected;
  };
  const Case cases[] = {
      {CMsgObjDBList::GetAddressModeName, 0, "BroadCast"},
      {CMsgObjDBList::GetAddressModeName, 3, "Default"},
      {CMsgObjDBList::GetAddressModeName, 4, "BroadCast"},
      {CMsgObjDBList::GetAddressModeName, -1, "BroadCast"},
      {CMsgObjDBList::GetPositionName, 1, "Default"},
      {CMsgObjDBList::GetPositionName, 2, "Starting at"},
      {CMsgObjDBList::GetPositionName, -1, "Center"},
      {CMsgObjDBList::GetPositionName, 3, "Center"},
      {CMsgObjDBList::GetEffectName, 4, "Scroll once"},
      {CMsgObjDBList::GetEffectName, 5, "Default"},
      {CMsgObjDBList::GetResetModeName, 4, "Clear line. Cursor at line start"},
      {CMsgObjDBList::GetResetModeName, 7, "Do Nothing"},
      {CMsgObjDBList::GetResetModeName, INT_MIN, "Do Nothing"},
      {CMsgObjDBList::GetFlashModeName, 2, "Save to Flash"},
      {CMsgObjDBList::GetFlashModeName, 3, "Do Nothing"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.name(c.value), c.expected) << c.value;
}

TEST(MessageRecord, AddingAndPickingCarryEveryAttribute) {
  CMsgSettings current;
  current.m_nAddressMode = kAddressSpecificUnit;
  current.m_nPosition = kPositionStartingAt;
  current.m_nLine = 3;
  current.m_nColumn = 17;
  current.m_nEffect = kEffectBlinkOff;
  current.m_nResetMode = kResetClearHomeReset;
  current.m_nFlashMode = kFlashClear;
  current.m_bClearLine = true;
  CMsgObjDBList record = MakeRecordFromCurrentMessage(current, 2, 8, "^K1^dC2GO");
  EXPECT_EQ(record.m_nGroup, 2);
  EXPECT_EQ(record.m_nUnit, 8);
  EXPECT_EQ(record.m_nAddressMode, kAddressSpecificUnit);
  EXPECT_EQ(record.m_strText[0], "^K1^dC2GO");
  EXPECT_EQ(record.Codes(), current.Codes());

  CMsgSettings picked;
  picked.m_bBlinkOffAtEnd = true;
  picked.m_nModel = 5;
  int group = 0;
  int unit = 0;
  PickRecordIntoCurrentMessage(record, picked, group, unit);
  EXPECT_EQ(picked.Codes(), current.Codes());
  EXPECT_EQ(picked.m_nAddressMode, kAddressSpecificUnit);
  EXPECT_EQ(picked.m_strText, "^K1^dC2GO");
  EXPECT_EQ(group, 2);
  EXPECT_EQ(unit, 8);
  EXPECT_TRUE(picked.m_bBlinkOffAtEnd);
  EXPECT_EQ(picked.m_nModel, 5);
}

}  // namespace
