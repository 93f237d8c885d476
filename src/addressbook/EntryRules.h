#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "addressbook/IPEntry.h"
#include "common/CodePage.h"

// The checks the add and edit dialogs make when OK is pressed, and how they build the
// entry they store. The messages are the dialogs' own texts (UTF-8), shown with the error icon.

// The dialog field a failed check puts the focus on.
enum class EntryField { Name, Address, Members };

struct EntryProblem {
  EntryField field;
  std::string message;
};

// True when an entry of book has this name, case ignored.
bool IsNameInUse(const std::vector<CIPGroup>& book, std::string_view name);

// The address check of the IP address dialog: 0.0.0.0 is refused. Nothing otherwise.
std::optional<EntryProblem> CheckIPAddress(const IPAddress& address);

// A name field's text in code-page bytes (see ToCodePage): refused when it holds characters
// without a byte, naming them, with the advice of the IP address dialog or, for a group,
// of the group dialog. Nothing when it converted.
std::optional<EntryProblem> CheckNameBytes(const CodePageText& name, bool group);

// The IP address dialog: a name that is not empty (blanks count), an address other
// than 0.0.0.0 and, when adding, a name no entry uses yet. Nothing when all hold.
std::optional<EntryProblem> CheckIPEntryInput(const std::vector<CIPGroup>& book, std::string_view name,
                                              const IPAddress& address, bool adding);

// The group dialog: a name that is not empty, at least one member entry and, when
// adding, a name no entry uses yet. Nothing when all hold.
std::optional<EntryProblem> CheckIPGroupInput(const std::vector<CIPGroup>& book, std::string_view name,
                                              const std::vector<CIPGroup>& members, bool adding);

// An IP entry: the name and one member address with an empty name.
CIPGroup BuildIPEntry(std::string name, const IPAddress& address);

// A group: the name and every distinct address of the member entries (by octets), in
// order of first appearance. A group whose members share one address gets one member
// and so is an IP entry from then on.
CIPGroup BuildIPGroup(std::string name, const std::vector<CIPGroup>& members);

// Whether an add or edit dialog opened with editMode and entryIndex edits an entry of book: a
// non-zero mode and an index inside book. Otherwise it adds one.
bool IsEditingEntry(const std::vector<CIPGroup>& book, int editMode, int entryIndex);

// Stores a dialog's entry on OK: in place of the entry at entryIndex when editing (see
// IsEditingEntry), else at the end of book.
void StoreEntry(std::vector<CIPGroup>& book, int editMode, int entryIndex, CIPGroup entry);
