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
  Status status;  // what is wrong, for Damaged and Unreadable
};

// Appends the messages of database bytes to messages, in file order. Reads nothing past
// the end of bytes or past the header's total length. BadInput, naming the offset, when
// the bytes are truncated or corrupt (a cut block, a length word that disagrees with its
// block, a total length or message count that disagrees with the blocks); the messages
// read before the damage are appended all the same.
Status ReadMessageDatabase(std::string_view bytes, CMsgList& messages);

// Writes the whole file for messages through sink, in two writes (header, blocks).
// OsFailure when the sink refuses a write; BadInput when the file would exceed 4 GB.
Status WriteMessageDatabase(const CMsgList& messages, ByteSink& sink);

// Replaces messages with the file's messages: all of them (Complete), those before the
// damage (Damaged); Missing and Unreadable leave the list unchanged.
DatabaseLoadResult LoadMessageDatabase(const std::string& path, CMsgList& messages);

// Writes messages to path by way of "<path>.new", which replaces the old file only once
// it is completely written and synced: on any failure the old file stays as it was.
Status SaveMessageDatabase(const std::string& path, const CMsgList& messages);
