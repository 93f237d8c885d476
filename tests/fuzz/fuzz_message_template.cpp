// Message templates from the gateway's clients: any bytes parse or are refused, and a
// parsed template fills without reading past its text; a filled value never brings a
// caret that the text did not have.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "live/MessageTemplate.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  MessageTemplate tmpl;
  if (!tmpl.Parse(text).ok()) return 0;
  const std::string value = "12.5";
  std::string out;
  if (tmpl.Fill([&](std::string_view) { return &value; }, 1774746000, out).ok()) {
    if (std::count(out.begin(), out.end(), '^') > std::count(text.begin(), text.end(), '^')) std::abort();
  }
  tmpl.NextTick(1774746000);
  return 0;
}
