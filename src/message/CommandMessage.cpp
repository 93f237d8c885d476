#include "message/CommandMessage.h"

CMsgSettings CommandMessage::Settings() const {
  CMsgSettings settings;
  settings.m_nAddressMode = addressMode;
  settings.SetCodes(codes);
  settings.m_bBlinkOffAtEnd = blinkOffAtEnd;
  settings.m_strText = text;
  return settings;
}

std::string BuildCommandString(const CommandMessage& message) {
  return message.Settings().BuildCommandString(message.text, message.group, message.unit);
}
