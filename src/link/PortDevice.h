#pragma once

#include <string>

#include "link/LinkResult.h"
#include "link/PortList.h"

// Serial port names as each system gives them; one file per system implements these
// (PortDevice_posix.cpp, PortDevice_win.cpp).

#ifdef _WIN32
inline constexpr PortNaming kSystemPortNaming = PortNaming::Windows;
#else
inline constexpr PortNaming kSystemPortNaming = PortNaming::Posix;
#endif

// The name as the system opens it: upper case on Windows, where com3 is COM3; unchanged
// elsewhere, where names are case-sensitive.
std::string NormalizePortName(const std::string& name);

// Whether a port name (a name under /dev, or a full device path) may be opened: kLinkOk;
// kLinkInvalidPort when nothing has that name; kLinkSendError when it is not a character
// device (a regular file, a directory); kLinkSystemError with the system's text when the
// user may not open it for writing.
LinkResult CheckPortDevice(const std::string& name);
