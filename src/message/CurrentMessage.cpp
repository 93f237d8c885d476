#include "message/CurrentMessage.h"

#include <utility>

CMsgObjDBList MakeRecordFromCurrentMessage(const CMsgSettings& settings, int group, int unit,
                                           std::string textWithCodes) {
  CMsgObjDBList record;
  record.m_nUnit = static_cast<uint16_t>(unit);
  record.m_nGroup = static_cast<uint16_t>(group);
  record.m_nAddressMode = settings.m_nAddressMode;
  record.m_nPosition = settings.m_nPosition;
  record.m_nLine = settings.m_nLine;
  record.m_nColumn = settings.m_nColumn;
  record.m_nEffect = settings.m_nEffect;
  record.m_nResetMode = settings.m_nResetMode;
  record.m_nFlashMode = settings.m_nFlashMode;
  record.m_bClearLine = settings.m_bClearLine;
  record.m_strText[0] = std::move(textWithCodes);
  return record;
}

void PickRecordIntoCurrentMessage(const CMsgObjDBList& record, CMsgSettings& settings, int& group, int& unit) {
  settings.m_nAddressMode = record.m_nAddressMode;
  settings.m_nResetMode = record.m_nResetMode;
  settings.m_nFlashMode = record.m_nFlashMode;
  settings.m_nPosition = record.m_nPosition;
  settings.m_nEffect = record.m_nEffect;
  settings.m_nLine = record.m_nLine;
  settings.m_nColumn = record.m_nColumn;
  settings.m_bClearLine = record.m_bClearLine;
  settings.m_strText = record.m_strText[0];
  group = record.m_nGroup;
  unit = record.m_nUnit;
}
