#include "addressbook/ClipboardAddress.h"

#include <algorithm>

#include "common/Text.h"

namespace {

bool HasDigit(std::string_view piece) {
  return std::any_of(piece.begin(), piece.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::optional<IPAddress> ReadClipboardAddress(std::string_view text) {
  IPAddress address{};
  size_t taken = 0;
  size_t start = 0;
  while (taken < address.size() && start <= text.size()) {
    size_t dot = text.find('.', start);
    if (dot == std::string_view::npos) dot = text.size();
    std::string_view piece = text.substr(start, dot - start);
    if (!piece.empty()) {
      // Prose with dots in it is no address.
      if (!HasDigit(piece)) return std::nullopt;
      address[taken++] = static_cast<uint8_t>(LeadingInt(piece) & 0xFF);
    }
    start = dot + 1;
  }
  if (taken < address.size()) return std::nullopt;
  return address;
}
