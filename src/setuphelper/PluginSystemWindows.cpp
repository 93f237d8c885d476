#include <windows.h>

#include "setuphelper/PluginSystem.h"

namespace {

HKEY ToHkey(RegistryKeyHandle* key) {
  return reinterpret_cast<HKEY>(key);
}

class WindowsRegistry final : public ILocalMachineRegistry {
 public:
  RegistryKeyHandle* OpenKey(const char* keyPath) const override {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return nullptr;
    return reinterpret_cast<RegistryKeyHandle*>(key);
  }

  bool QueryValue(RegistryKeyHandle* key, const char* valueName, char* data, std::uint32_t& size) const override {
    DWORD bytes = size;
    const LONG status =
        RegQueryValueExA(ToHkey(key), valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &bytes);
    if (status != ERROR_SUCCESS) return false;
    size = bytes;
    return true;
  }

  void CloseKey(RegistryKeyHandle* key) const override { RegCloseKey(ToHkey(key)); }
};

const WindowsRegistry g_registry;

}  // namespace

const ILocalMachineRegistry& SystemRegistry() noexcept {
  return g_registry;
}

void FreeGlobalMemory(void* block) noexcept {
  GlobalFree(block);
}
