#include "message/CurrentMessage.h"

#include <utility>

CMsgObjDBList MakeRecordFromCurrentMessage(const CMsgSettings& settings, int group, int unit,
                                           std::string textWithCodes) {
  CMsgObjDBList record;
  record.m_nUnit = static_cast<uint16_t>(unit);
  record.m_nGroup = static_cast<uint16_t>(group);
  record.m_nAddressMode = settings.m_nAddressMode;
  record.SetCodes(settings.Codes());
  record.m_strText[0] = std::move(textWithCodes);
  return record;
}

void PickRecordIntoCurrentMessage(const CMsgObjDBList& record, CMsgSettings& settings, int& group, int& unit) {
  settings.m_nAddressMode = record.m_nAddressMode;
  settings.SetCodes(record.Codes());
  settings.m_strText = record.m_strText[0];
  group = record.m_nGroup;
  unit = record.m_nUnit;
}
