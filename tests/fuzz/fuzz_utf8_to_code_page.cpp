// Strict UTF-8 decoding over arbitrary bytes: no crash, no read past the input; what it
// accepts holds no NUL and comes back byte for byte, and Replace differs from Refuse only
// in the characters without a byte.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/CodePage.h"

static void Require(bool condition) {
  if (!condition) std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const CodePageText strict = Utf8ToCodePage(input);
  const CodePageText replaced = Utf8ToCodePage(input, Unmappable::Replace);
  if (!replaced.status.ok()) {
    Require(!strict.status.ok() && strict.status.message() == replaced.status.message() && replaced.bytes.empty());
    return 0;
  }
  Require(replaced.bytes.find('\0') == std::string_view::npos);
  Require(strict.status.ok() == replaced.unmappable.empty());
  if (strict.status.ok()) {
    Require(strict.bytes == replaced.bytes && CodePageToUtf8(strict.bytes) == input);
  } else {
    Require(strict.bytes.empty() && strict.unmappable == replaced.unmappable);
    for (const UnmappableChar& c : replaced.unmappable) Require(replaced.bytes[c.position - 1] == '?');
  }
  return 0;
}
