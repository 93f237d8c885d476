#pragma once

#include "app/AppState.h"

class QSettings;

// The per-user settings: the composer's current message, the port, the baud rate and the send
// target. The values sit directly in the program's settings (the registry key on Windows, an
// INI file elsewhere), the send target's members in the group "IP Information". Integers are
// stored as integers, texts as strings, under these names:
//   "Address", "GroupNumber", "UnitNumber", "Position", "Line", "Column", "Display Mode",
//   "Effect", "FlashStore Mode", "COM Port Name", "Baud Rate", "Group Name", "No of IP";
//   per member i (decimal): "IP Name %d " (with its trailing blank), "IP Address%d 1" to
//   "IP Address%d 4" (the octets in dotted order).
// Failures to read or write are not reported: the program runs on with what it has.

// The largest send target the settings are read with: an address book entry holds no more.
inline constexpr int kMaxStoredMembers = 65535;

// Reads every value into state, in the order above. A missing value keeps the member's
// current value. So does a value that is damaged (not a number, or a number out of the
// member's range: address mode 0-3, group 0-15, unit 0-4095, position 0-2, line 1-8,
// column 1-40, display mode 0-4, effect 0-4, flash mode 0-2, baud rate 1-4,000,000; an empty
// port name). The send target is replaced: "No of IP" is taken within 0 to
// kMaxStoredMembers, a missing member name reads "New IP", a missing octet 0, and each octet
// keeps its low byte.
void ReadSettings(QSettings& settings, CAppState& state);

// Writes the composer's values ("Address" to "FlashStore Mode"), then WriteLinkSettings.
void WriteComposerSettings(QSettings& settings, const CAppState& state);

// Writes "COM Port Name", "Baud Rate", "Group Name" and "No of IP", removes the whole group
// "IP Information" (so no member of a larger, earlier send target is left over) and writes
// every member of the send target into it.
void WriteLinkSettings(QSettings& settings, const CAppState& state);
