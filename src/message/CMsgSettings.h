#pragma once

#include <string>
#include <string_view>

#include "message/CommandString.h"
#include "message/MsgAttributes.h"

// The composer's current message. The group and unit numbers live beside it in the
// application object and are passed in where needed.
struct CMsgSettings {
  int m_nAddressMode = kAddressBroadcast;
  int m_nPosition = kPositionCenter;
  int m_nLine = 1;
  int m_nColumn = 1;
  std::string m_strText;  // text of a message picked from the database, waiting for the editor
  int m_nEffect = kEffectDefault;
  int m_nModel = 0;  // index of the preview model in the composer's list
  int m_nResetMode = kResetNothing;
  int m_nFlashMode = kFlashNothing;
  bool m_bBlinkOffAtEnd = false;
  bool m_bClearLine = false;

  // The command string for the marquee: the address (unless the address mode is
  // "Default"; group and unit printed as given), header, textWithCodes as given, tail.
  std::string BuildCommandString(std::string_view textWithCodes, int group, int unit) const;

  MessageCodes Codes() const { return CodesOf(*this); }
  void SetCodes(const MessageCodes& codes) { SetCodesOf(*this, codes); }
};
