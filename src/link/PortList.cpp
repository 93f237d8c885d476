#include "link/PortList.h"

#include <algorithm>
#include <optional>

#include "common/Text.h"

namespace {

struct Candidate {
  std::string name;
  std::string stem;  // what sorts first: the name without its number
  int number = 0;
};

std::optional<Candidate> WindowsCandidate(const std::string& name) {
  if (name.compare(0, 3, "COM") != 0) return std::nullopt;
  int number = LeadingInt(std::string_view(name).substr(3));
  if (number < 1 || number > 256) return std::nullopt;
  return Candidate{name, {}, number};
}

std::optional<Candidate> PosixCandidate(const std::string& name) {
  if (name.empty()) return std::nullopt;
  size_t digitsAt = name.find_last_not_of("0123456789") + 1;  // 0 when the name is all digits
  int number = digitsAt < name.size() ? LeadingInt(std::string_view(name).substr(digitsAt)) : -1;
  return Candidate{name, name.substr(0, digitsAt), number};
}

}  // namespace

std::vector<std::string> SelectPortNames(const std::vector<std::string>& deviceNames, PortNaming naming) {
  std::vector<Candidate> kept;
  for (const std::string& name : deviceNames) {
    auto candidate = naming == PortNaming::Windows ? WindowsCandidate(name) : PosixCandidate(name);
    if (!candidate) continue;
    // Windows keeps the first 32 it meets; the sort then orders only those.
    if (naming == PortNaming::Windows && kept.size() == kMaxPorts) break;
    kept.push_back(std::move(*candidate));
  }
  std::stable_sort(kept.begin(), kept.end(), [](const Candidate& a, const Candidate& b) {
    return a.stem != b.stem ? a.stem < b.stem : a.number < b.number;
  });
  std::vector<std::string> ports;
  for (size_t i = 0; i < kept.size() && i < kMaxPorts; ++i) ports.push_back(std::move(kept[i].name));
  return ports;
}

void AppendExtraPorts(std::vector<std::string>& ports, const std::vector<std::string>& extras) {
  for (const std::string& extra : extras) {
    if (ports.size() >= kMaxPorts) return;
    if (std::find(ports.begin(), ports.end(), extra) == ports.end()) ports.push_back(extra);
  }
}

std::vector<std::string> SplitPathList(std::string_view list) {
  std::vector<std::string> paths;
  while (!list.empty()) {
    size_t colon = list.find(':');
    std::string_view path = list.substr(0, colon);
    if (!path.empty()) paths.emplace_back(path);
    if (colon == std::string_view::npos) break;
    list.remove_prefix(colon + 1);
  }
  return paths;
}

std::string FriendlyPortName(std::string_view description, std::string_view portName) {
  if (description.empty()) return {};
  return std::string(description) + " (" + std::string(portName) + ")";
}
