// Systems without device events: the port watcher's polling alone notices changes.
#include "link/DeviceMonitor.h"

std::unique_ptr<DeviceMonitor> CreateDeviceMonitor() {
  return nullptr;
}
