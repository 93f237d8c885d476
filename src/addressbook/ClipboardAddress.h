#pragma once

#include <optional>
#include <string_view>

#include "addressbook/IPEntry.h"

// The address the external IP configuration tool hands back as clipboard text.
// The text is split at "." with empty pieces skipped (so "192.168..0.10" counts as four
// pieces); each of the first four pieces gives an octet: the value of its leading
// digits by atoi rules (leading blanks skipped, 0 when there are none), truncated to
// 8 bits ("300" gives 44). Pieces after the fourth are ignored. Nothing when the text
// has fewer than four pieces, or when one of the first four holds no digit at all
// ("a.b.c.d", "Mr. J. R. R. Tolkien": text that merely contains dots).
std::optional<IPAddress> ReadClipboardAddress(std::string_view text);
