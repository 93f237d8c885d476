#pragma once

#include <cstdint>

// An open key of the local-machine registry; opaque, owned by the registry that opened it.
struct RegistryKeyHandle;

// Read access to the local-machine registry root, shaped after the system's own calls so
// that the lookup keeps its sizes and its buffer under its own control. Text is single-byte.
class ILocalMachineRegistry {
 public:
  // Opens keyPath (backslash-separated, below the local-machine root) for reading
  // (KEY_READ). Returns null when the key does not exist or cannot be opened.
  virtual RegistryKeyHandle* OpenKey(const char* keyPath) const = 0;

  // Reads value valueName of an open key, whatever its type. With data null, sets size to
  // the value's size in bytes and returns true. Otherwise size is the capacity of data in
  // bytes: when the value fits, copies it as stored (no zero is added) and sets size to the
  // bytes copied; returns false when the value does not exist or no longer fits.
  virtual bool QueryValue(RegistryKeyHandle* key, const char* valueName, char* data, std::uint32_t& size) const = 0;

  // Closes a key that OpenKey returned.
  virtual void CloseKey(RegistryKeyHandle* key) const = 0;

 protected:
  // Implementations are never deleted through this interface.
  ~ILocalMachineRegistry() = default;
};
