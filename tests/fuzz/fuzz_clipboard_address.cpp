// Clipboard address parser: any text gives four octets or nothing, and a text that
// gives an address keeps giving it with more pieces after the fourth.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "addressbook/ClipboardAddress.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  auto address = ReadClipboardAddress(text);
  if (address && ReadClipboardAddress(text + ".7") != address) std::abort();
  return 0;
}
