// Brand key from the first bytes of "version.txt": any bytes give a key without
// reading past them, and only the first two bytes count.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/ProgramLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (VariantKeyFromBytes(bytes) != VariantKeyFromBytes(bytes.substr(0, 2))) std::abort();
  return 0;
}
