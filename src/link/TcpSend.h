#pragma once

#include <cstdint>
#include <string>

#include "addressbook/IPEntry.h"

class IPrompter;

// Sends text to one marquee over TCP: connect (at most 5 s), send in pieces of 160 bytes
// (each wait for room at most 1 s), close. A failure is shown through the prompter as the
// socket error text. Returns 0 on success, 3 on failure.
int SendToAddress(const std::string& dottedAddress, const std::string& text, uint16_t port, IPrompter& prompter);

// Sends the command string to port 49999 of every member of the send target, in member
// order, stopping at the first failure (reported by SendToAddress; later members are not
// contacted). True when every member was sent to, also when the target has none.
bool SendToGroup(const std::string& command, const CIPGroup& sendTarget, IPrompter& prompter);
