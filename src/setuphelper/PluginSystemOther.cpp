#include <cstdlib>

#include "setuphelper/PluginSystem.h"

namespace {

// No local-machine registry outside Windows: no key can be opened.
class AbsentRegistry final : public ILocalMachineRegistry {
 public:
  RegistryKeyHandle* OpenKey(const char*) const override { return nullptr; }
  bool QueryValue(RegistryKeyHandle*, const char*, char*, std::uint32_t&) const override { return false; }
  void CloseKey(RegistryKeyHandle*) const override {}
};

const AbsentRegistry g_registry;

}  // namespace

const ILocalMachineRegistry& SystemRegistry() noexcept {
  return g_registry;
}

void FreeGlobalMemory(void* block) noexcept {
  std::free(block);
}
