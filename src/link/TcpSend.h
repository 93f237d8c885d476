#pragma once

#include <cstdint>
#include <string>

#include "addressbook/IPEntry.h"
#include "link/LinkResult.h"

// Sends text to one marquee over TCP: connect (at most 5 s), send in pieces of 160 bytes
// (each wait for room at most 1 s), close. A failure names the socket operation that failed
// ("Connect", "Send timeout", ...) with the system's text; nothing is shown.
LinkResult SendToAddress(const std::string& dottedAddress, const std::string& text, uint16_t port);

// Sends the command string to port 49999 of every member of the send target, in member
// order, stopping at the first failure and returning it (later members are not contacted).
// Success when every member was sent to, also when the target has none.
LinkResult SendToGroup(const std::string& command, const CIPGroup& sendTarget);
