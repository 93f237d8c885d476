#include "message/CMsgSettings.h"

MessageCodes CMsgSettings::Codes() const {
  return {m_nResetMode, m_nPosition, m_nLine, m_nColumn, m_bClearLine, m_nEffect, m_nFlashMode};
}

std::string CMsgSettings::BuildCommandString(std::string_view textWithCodes, int group, int unit) const {
  std::string address = m_nAddressMode == kAddressDefault ? std::string() : AddressCode(group, unit);
  return address + EncodeMessageBody(Codes(), textWithCodes, m_bBlinkOffAtEnd);
}
