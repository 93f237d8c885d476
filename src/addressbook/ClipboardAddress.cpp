#include "addressbook/ClipboardAddress.h"

#include "common/Text.h"

std::optional<IPAddress> ReadClipboardAddress(std::string_view text) {
  IPAddress address{};
  size_t taken = 0;
  size_t start = 0;
  while (taken < address.size() && start <= text.size()) {
    size_t dot = text.find('.', start);
    if (dot == std::string_view::npos) dot = text.size();
    std::string_view piece = text.substr(start, dot - start);
    if (!piece.empty()) address[taken++] = static_cast<uint8_t>(LeadingInt(piece) & 0xFF);
    start = dot + 1;
  }
  if (taken < address.size()) return std::nullopt;
  return address;
}
