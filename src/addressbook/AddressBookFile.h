#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "addressbook/IPEntry.h"
#include "common/FileIO.h"
#include "common/Status.h"

// The address book file. Little-endian, no header:
//   entry count N (2 bytes, low byte first)
//   N entries: name bytes + one 0 byte, member count K (2 bytes, low byte first),
//              K members: name bytes + one 0 byte, four octets (first octet first).

// The largest entry or member count the 16-bit count fields hold.
constexpr size_t kMaxAddressBookCount = 65535;

// Ok when the address book can be written so that it reads back the same. BadInput
// naming the first problem otherwise: more than 65,535 entries, an entry with more than
// 65,535 members, or a name holding a 0 byte (which would end the name early).
Status CheckAddressBookFits(const std::vector<CIPGroup>& book);

// Writes the whole address book to sink. Nothing is written when CheckAddressBookFits
// refuses it; OsFailure when the sink fails.
Status WriteAddressBook(const std::vector<CIPGroup>& book, ByteSink& sink);

struct AddressBookRead {
  std::vector<CIPGroup> entries;  // every entry read whole, in file order
  // BadInput when the bytes end inside an entry (entries holds those before it) or
  // carry bytes after the last entry (entries holds all of them).
  Status status;
};

// Parses the file's bytes; never reads past them and allocates only per entry read.
AddressBookRead ReadAddressBook(std::string_view bytes);

struct AddressBookLoad {
  DataFileLoadOutcome outcome = DataFileLoadOutcome::Missing;
  std::vector<CIPGroup> entries;  // every entry (Complete), those before the damage (Damaged)
  Status status;                  // the error for Damaged and Unreadable, ok otherwise
};

AddressBookLoad LoadAddressBook(const std::string& path);

// Replaces the file at path through an AtomicFileWriter: the old file stays whole when
// anything fails. BadInput (see CheckAddressBookFits, or a file larger than the reader
// takes) or OsFailure; the address book is not changed. heldLock: the caller holds path's
// DataFileLock; otherwise the save takes it.
Status SaveAddressBook(const std::string& path, const std::vector<CIPGroup>& book,
                       const DataFileLock* heldLock = nullptr);
