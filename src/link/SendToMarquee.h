#pragma once

#include <string>

#include "link/LinkResult.h"
#include "link/LinkSettings.h"
#include "link/PacedWrite.h"

class IPrompter;
class IBusyIndicator;

// Sends the command over the serial port the settings name (never over TCP, whatever the
// name), showing nothing: opened with the line settings, written one character per write with
// a 10 ms pause (through sleep) before every '^', and closed again; an empty command opens and
// closes the port. Returns the first failure, or success.
LinkResult SendOverSerial(const std::string& command, const LinkSettings& settings, const Sleeper& sleep = SleepFor);

// Sends the command over the link the settings name, showing nothing. Port name "Ethernet"
// (any case): over TCP to every member of the send target, stopping at the first failure.
// Any other name: SendOverSerial. Returns the first failure, or success when the whole
// command was sent.
LinkResult SendOverLink(const std::string& command, const LinkSettings& settings, const Sleeper& sleep = SleepFor);

// The program's one send operation: SendOverLink with the busy indicator shown throughout
// (busy may be null) and a failure shown through the prompter (ShowLinkError); success shows
// nothing.
LinkResult SendToMarquee(const std::string& command, const LinkSettings& settings, IPrompter& prompter,
                         IBusyIndicator* busy, const Sleeper& sleep = SleepFor);
