// Built on Windows only: COM names open as \\.\COMn, always character devices.
#include "common/Text.h"
#include "link/PortDevice.h"

std::string NormalizePortName(const std::string& name) {
  return ToUpperAscii(name);
}

LinkResult CheckPortDevice(const std::string& name) {
  if (name.empty()) return LinkResult::Serial(kLinkInvalidPort);
  return {};
}
