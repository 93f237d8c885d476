#pragma once

#include <string>
#include <string_view>

#include "common/FileIO.h"
#include "common/Status.h"
#include "message/CMsgObjDBList.h"

// The message database file: its total length and message count (4 bytes each, most
// significant byte first), then one record block per message in list order
// (CMsgObjDBList::WriteBlock). The core reports errors as values; the user sees one
// text for every data file error.

// The text shown for any error with a data file (two blanks after the colon).
inline constexpr std::string_view kDataFileErrorText = "Error M02_3:  Unable to open message database file (*.msd).";

struct DatabaseLoadResult {
  DataFileLoadOutcome outcome = DataFileLoadOutcome::Missing;
  Status status;     // what is wrong, for Damaged and Unreadable
  std::string note;  // for Complete: a harmless disagreement in the header, naming the file
};

// Appends the messages of database bytes to messages, in file order. Reads nothing past
// the end of bytes or past the header's total length. BadInput, naming the offset, when
// the bytes are truncated or corrupt (a cut block, a length word that disagrees with its
// block, a total length beyond the file or inside a block); the messages read before the
// damage are appended all the same. The header's message count is written, not used: a
// count that disagrees with the blocks, or bytes after the total length, are no damage,
// only told in note (when given).
Status ReadMessageDatabase(std::string_view bytes, CMsgList& messages, std::string* note = nullptr);

// Writes the whole file for messages through sink, in two writes (header, blocks).
// OsFailure when the sink refuses a write; BadInput when the file would be larger than
// kMaxDataFileBytes, which the reader refuses.
Status WriteMessageDatabase(const CMsgList& messages, ByteSink& sink);

// Replaces messages with the file's messages: all of them (Complete), those before the
// damage (Damaged); Missing and Unreadable leave the list unchanged.
DatabaseLoadResult LoadMessageDatabase(const std::string& path, CMsgList& messages);

// Writes messages to path through an AtomicFileWriter: on any failure the old file stays
// as it was. heldLock: the caller holds path's DataFileLock (to read and write back
// under one lock); otherwise the save takes it.
Status SaveMessageDatabase(const std::string& path, const CMsgList& messages, const DataFileLock* heldLock = nullptr);
