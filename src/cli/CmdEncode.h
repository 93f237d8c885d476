#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "cli/CliOptions.h"
#include "message/CMsgSettings.h"
#include "message/CommandMessage.h"
#include "message/MessageCheck.h"

// The message options of `encode`, which `db add` takes too: attribute values as
// numbers, group and unit. Unset options keep the CMsgSettings defaults, group and unit 0.
struct MessageOptions {
  CMsgSettings settings;
  int group = 0;
  int unit = 0;
};

// A parser that knows the message options, and the given further ones.
CliOptions MessageOptionParser(std::initializer_list<std::string_view> moreValues = {},
                               std::initializer_list<std::string_view> moreFlags = {});

// The message of a parsed command line: from --from-json FILE (or "-" for standard
// input) when given, else from the message options and TEXT (strict UTF-8; --replace
// turns characters without a Windows-1252 byte into "?"). kExitOk, or with a message in
// error kExitUsage for bad options and kExitFailure for a text or file that cannot be taken.
int ReadCommandMessage(const CliOptions& options, CommandMessage& message, std::string& error);

// The options help of encode, check and db add.
extern const char* const kMessageOptionsHelp;

// What survives a round trip: the command string prints the group in two digits, the
// unit in four and line and column in two; the database file keeps 4 and 12 bits and
// the composer's line and column limits.
struct MessageRanges {
  int groupMax, unitMax, lineMin, lineMax, columnMin, columnMax;
};
inline constexpr MessageRanges kCommandStringRanges{99, 9999, 0, 99, 0, 99};
inline constexpr MessageRanges kDatabaseRanges{15, 4095, 1, 8, 1, 40};

// Reads the message options of a parsed command line (attribute values by name or
// number); false with a message in error for a value that is no number or name, out of
// ranges, or an option the chosen address or position would drop.
bool ReadMessageOptions(const CliOptions& options, MessageOptions& message, std::string& error,
                        const MessageRanges& ranges);

// Prints check findings, one line each ("kind: detail") or as JSON; kExitOk when there
// are none, else kExitFailure. Shared by `check` and `send --check`.
int PrintFindings(const std::vector<CheckFinding>& findings, bool json, std::ostream& out);
