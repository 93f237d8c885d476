#pragma once

#include <string>

#include "message/CMsgObjDBList.h"
#include "message/CMsgSettings.h"

// Moving a message between the composer's current message (CMsgSettings with the
// application's group and unit numbers) and the stored records.

// A record for "Add Message to Database": group and unit (kept as 16-bit numbers),
// the attributes of settings, and the editor's text with inline codes in slot 0.
CMsgObjDBList MakeRecordFromCurrentMessage(const CMsgSettings& settings, int group, int unit,
                                           std::string textWithCodes);

// Puts a picked record's attributes, group, unit and slot 0 text (into m_strText) into
// the current message. The blink-off-at-end flag and the preview model stay as they are.
void PickRecordIntoCurrentMessage(const CMsgObjDBList& record, CMsgSettings& settings, int& group, int& unit);
