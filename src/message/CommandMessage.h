#pragma once

#include <string>

#include "message/CMsgSettings.h"
#include "message/CommandString.h"
#include "message/MsgAttributes.h"

// One whole message as a command string carries it: address, header and tail attributes
// and the text with its inline codes. This is what the JSON form of a message, the
// command string decoder and the pre-send check work on; the defaults are the
// composer's (broadcast, center, line 1, column 1, everything else "default" or
// "nothing"). Text is single-byte (Windows-1252) like every string of the core.
struct CommandMessage {
  int addressMode = kAddressBroadcast;
  int group = 0;  // printed as "%02d": 0 to 99 survive a round trip
  int unit = 0;   // printed as "%04d": 0 to 9999
  MessageCodes codes{kResetNothing, kPositionCenter, 1, 1, false, kEffectDefault, kFlashNothing};
  bool blinkOffAtEnd = false;
  std::string text;

  bool operator==(const CommandMessage&) const = default;

  // The composer's current message with these attributes (m_strText is the text).
  CMsgSettings Settings() const;
};

// The command string of the message, exactly as the composer builds it.
std::string BuildCommandString(const CommandMessage& message);
