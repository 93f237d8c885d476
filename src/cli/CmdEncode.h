#pragma once

#include <string>

#include "cli/CliOptions.h"
#include "message/CMsgSettings.h"

// The message options of `encode`, which `db add` takes too: attribute values as
// numbers, group and unit. Unset options keep the CMsgSettings defaults, group and unit 0;
// group and unit are then kept as the address mode keeps them (KeepAddressOfMode).
struct MessageOptions {
  CMsgSettings settings;
  int group = 0;
  int unit = 0;
};

// A parser that knows the message options.
CliOptions MessageOptionParser();

// Reads the message options of a parsed command line; false with a message in error
// when a value is not a whole number.
bool ReadMessageOptions(const CliOptions& options, MessageOptions& message, std::string& error);
