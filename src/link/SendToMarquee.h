#pragma once

#include <string>

#include "link/LinkSettings.h"
#include "link/PacedWrite.h"

class IPrompter;
class IBusyIndicator;

// The program's one send operation, with the busy indicator shown throughout (busy may be null).
// Port name "Ethernet" (any case): the command goes over TCP to every member of the send
// target, stopping at the first failure. Any other name: the serial port is opened with the
// line settings, written one character per write with a 10 ms pause (through sleep) before
// every '^', and closed again; an empty command opens and closes the port. Failures are shown
// through the prompter; success shows nothing. Returns true when the whole command was sent.
bool SendToMarquee(const std::string& command, const LinkSettings& settings, IPrompter& prompter, IBusyIndicator* busy,
                   const Sleeper& sleep = SleepFor);
