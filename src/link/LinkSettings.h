#pragma once

#include <string>

#include "addressbook/IPEntry.h"

// Port name "Ethernet" (case ignored) sends over TCP to the send target instead of a serial port.
inline constexpr const char* kEthernetPortName = "Ethernet";

// What a send needs from the application: the selected port, the serial line settings and
// the TCP send target. The integer codes are the ones the settings store keeps.
struct LinkSettings {
  std::string portName = "COM1";  // the operating system's name (COM3, ttyUSB0, /dev/pts/4) or "Ethernet"
  int baudRate = 9600;            // 9600 or 38400
  int dataBits = 8;               // 5 to 8
  int binaryMode = 1;             // kept for the stored settings; serial lines here are always binary
  int parityCheck = 1;            // kept for the stored settings; nothing is ever read, so nothing is checked
  int stopBitsCode = 0;           // 0 one, 1 one and a half, 2 two
  int parityCode = 0;             // 0 none, 1 odd, 2 even, 3 mark, 4 space
  CIPGroup sendTarget;            // every member gets the string over TCP, in member order
};
