#pragma once

#include "link/PortList.h"

// The system's serial ports and the extra ports of MARQUEE_EXTRA_PORTS.
PortLists EnumeratePorts();
