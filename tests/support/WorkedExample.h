#pragma once

#include "message/CMsgObjDBList.h"
#include "message/CMsgSettings.h"

// The command language's worked example: "HELLO" (size 1, colour 1) for unit 5 of group 1,
// clearing the display and homing the cursor, starting at line 2 column 10, blinking, saved
// to flash. The texts and the record every test group checks it by.
inline constexpr const char* kWorkedExampleText = "^K0^dC1HELLO";
inline constexpr const char* kWorkedExampleLine = "^E0^L0^C0^M0210^B1^K0^dC1HELLO^Y1";
inline constexpr const char* kWorkedExampleString = "^A010005^E0^L0^C0^M0210^B1^K0^dC1HELLO^Y1";
inline constexpr int kWorkedExampleGroup = 1;
inline constexpr int kWorkedExampleUnit = 5;

// The composer's settings of the example (group and unit go with the send).
inline CMsgSettings WorkedExampleSettings() {
  CMsgSettings settings;
  settings.m_nAddressMode = kAddressSpecificUnit;
  settings.m_nResetMode = kResetClearHome;
  settings.m_nPosition = kPositionStartingAt;
  settings.m_nLine = 2;
  settings.m_nColumn = 10;
  settings.m_nEffect = kEffectBlink;
  settings.m_nFlashMode = kFlashSave;
  return settings;
}

// The example as one stored record.
inline CMsgObjDBList WorkedExampleRecord() {
  CMsgObjDBList record;
  record.m_nAddressMode = kAddressSpecificUnit;
  record.m_nGroup = kWorkedExampleGroup;
  record.m_nUnit = kWorkedExampleUnit;
  record.m_nResetMode = kResetClearHome;
  record.m_nPosition = kPositionStartingAt;
  record.m_nLine = 2;
  record.m_nColumn = 10;
  record.m_nEffect = kEffectBlink;
  record.m_nFlashMode = kFlashSave;
  record.m_strText[0] = kWorkedExampleText;
  return record;
}
