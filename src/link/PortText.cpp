#include "link/PortText.h"

std::string FormatPortText(std::string_view name, const std::vector<std::string>& friendlyNames) {
  std::string marker;
  marker.append(1, '(').append(name).append(1, ')');
  for (const std::string& friendly : friendlyNames) {
    if (friendly.find(marker) == std::string::npos) continue;
    const size_t width = name.size() < 5 ? 16 : 15;
    std::string text(name);
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text.append(friendly, 0, friendly.size() - marker.size());
  }
  return std::string(name);
}

std::string ParsePortText(std::string_view text) {
  size_t blank = text.find(' ');
  if (blank != std::string_view::npos && blank >= 4) return std::string(text.substr(0, blank));
  return std::string(text);
}
