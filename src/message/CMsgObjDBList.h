#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/ByteReader.h"
#include "common/Status.h"
#include "message/CommandString.h"
#include "message/MsgAttributes.h"

// One stored message: its attributes, addressee and text with inline codes. A record
// never changes once it is in the message list; list position is its identity.
struct CMsgObjDBList {
  // Text slots in use. The file keeps one line per record, so only slot 0 is ever used.
  static constexpr int m_nTextCount = 1;

  std::array<std::string, 9> m_strText;  // text with inline codes
  uint16_t m_nGroup = 0;
  uint16_t m_nUnit = 0;
  int m_nAddressMode = kAddressBroadcast;
  int m_nPosition = kPositionCenter;
  int m_nLine = 0;    // start line with "Starting at"
  int m_nColumn = 0;  // start column with "Starting at"
  int m_nEffect = kEffectDefault;
  bool m_bClearLine = false;  // "Clear Message on line": chooses the "Starting at" code form
  int m_nResetMode = kResetNothing;
  int m_nFlashMode = kFlashNothing;

  void CopyFrom(const CMsgObjDBList& other) { *this = other; }

  // The text of an attribute value. A value outside its enumeration gives the text of
  // value 0, except the position, where every value but 1 and 2 gives "Center".
  static std::string GetAddressModeName(int value);
  static std::string GetPositionName(int value);
  static std::string GetEffectName(int value);
  static std::string GetResetModeName(int value);
  static std::string GetFlashModeName(int value);

  // Slot 0's text as plain characters for the database list, 0xB6 for line breaks.
  std::string GetSummaryText() const;

  // The stored command line of a text slot (slot < 9): the header, the text and the
  // tail, without address or blink-off-at-end.
  std::string EncodeLine(size_t slot) const;
  // Sets reset, position (line and column only with "Starting at"), clear-line flag,
  // effect and flash from a stored line; returns the remaining text with inline codes.
  std::string ParseLine(std::string_view storedLine);

  // Appends the record's block in the database file: its length (4 + body, rounded up
  // to a multiple of 4 by zero padding) and address words, most significant byte first
  // (group cut to 4 bits, unit to 12), then the body: slot 0's stored line, framed, and
  // its zero byte. A block above 65535 bytes keeps its length's low 16 bits; the reader
  // allows for that.
  void WriteBlock(std::string& out) const;
  // Reads one block into this record: group and unit from the address word, the address
  // mode derived from them (unit not 0: specific unit, else group not 0: specific group,
  // else broadcast), the fields and slot 0 from the line. BadInput, naming the block's
  // offset, when the input ends inside the block or the length word disagrees with it;
  // the reader's position is then unspecified.
  Status ReadBlock(ByteReader& reader);

  MessageCodes Codes() const { return CodesOf(*this); }
  void SetCodes(const MessageCodes& codes) { SetCodesOf(*this, codes); }
};

// The message list: owned records in file and display order, appended at the tail.
using CMsgList = std::vector<std::unique_ptr<CMsgObjDBList>>;

// Deletes every record, head to tail, and empties the list.
void ClearMessageList(CMsgList& messages);
