#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "link/PortDevice.h"

std::string NormalizePortName(const std::string& name) {
  return name;
}

LinkResult CheckPortDevice(const std::string& name) {
  if (name.empty()) return LinkResult::Serial(kLinkInvalidPort);
  const std::string path = name.front() == '/' ? name : "/dev/" + name;
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    if (errno == EACCES) return LinkResult::Serial(kLinkSystemError, std::strerror(errno));
    return LinkResult::Serial(kLinkInvalidPort);
  }
  if (!S_ISCHR(info.st_mode)) return LinkResult::Serial(kLinkSendError);
  // Without write permission (not in the dialout group) the port is not "in use": say so.
  if (::access(path.c_str(), W_OK) != 0) return LinkResult::Serial(kLinkSystemError, std::strerror(errno));
  return {};
}
