// Address book reader: any bytes must parse without reading past them, and whatever is
// read whole must write back to bytes that read the same.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "addressbook/AddressBookFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  AddressBookRead read = ReadAddressBook(std::string_view(reinterpret_cast<const char*>(data), size));
  StringSink sink;
  if (!WriteAddressBook(read.entries, sink).ok()) std::abort();
  AddressBookRead again = ReadAddressBook(sink.data());
  if (!again.status.ok() || again.entries != read.entries) std::abort();
  if (read.status.ok() && sink.data() != std::string_view(reinterpret_cast<const char*>(data), size)) std::abort();
  return 0;
}
