#include "message/CMsgSettings.h"

std::string CMsgSettings::BuildCommandString(std::string_view textWithCodes, int group, int unit) const {
  std::string address = m_nAddressMode == kAddressDefault ? std::string() : AddressCode(group, unit);
  return address + EncodeMessageBody(Codes(), textWithCodes, m_bBlinkOffAtEnd);
}
