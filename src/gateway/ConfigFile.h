#pragma once

#include <string>
#include <string_view>

#include "common/Status.h"
#include "gateway/GatewayConfig.h"

// Reading the gateway's TOML file. Every key is known or refused: an unknown key, a value
// of the wrong type or out of range, a duplicate sign name or a sign without exactly one
// of tcp and serial gives BadInput "FILE:LINE: what is wrong", and the config is left as
// it was. Top level: address_book, [[signs]], [queue], [log], [http], [mqtt],
// [live], [[schedules]].

// Reads the file at path, and the address book it names (relative to the file's folder).
// OsFailure when a file cannot be read.
Status LoadGatewayConfig(const std::string& path, GatewayConfig& config);

// The same for text already read; path names it in errors and anchors address_book.
Status ParseGatewayConfig(std::string_view text, const std::string& path, GatewayConfig& config);
