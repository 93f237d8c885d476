#include "setuphelper/InstalledPathLookup.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "setuphelper/BoundedCopy.h"

namespace {

constexpr char kAppPathsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
constexpr std::size_t kAppPathsKeyLength = sizeof kAppPathsKey - 1;
static_assert(kAppPathsKeyLength + kProgramNameSize <= kKeyPathSize, "every program name fits in the key path");

constexpr char kPathValue[] = "Path";

// Reads the key's "Path" value into installedPath (kInstalledPathSize bytes, already empty),
// up to its first zero or its size, whichever comes first; leaves it empty on any failure.
void ReadPathValue(const ILocalMachineRegistry& registry, RegistryKeyHandle* key, char* installedPath) {
  std::uint32_t size = 0;
  if (!registry.QueryValue(key, kPathValue, nullptr, size) || size == 0) return;
  char* value = static_cast<char*>(std::malloc(size));
  if (value == nullptr) return;
  if (registry.QueryValue(key, kPathValue, value, size)) CopyBounded(installedPath, kInstalledPathSize, value, size);
  std::free(value);
}

}  // namespace

void LookUpLastInstalledPath(const ILocalMachineRegistry& registry, GlobalFreeFunction freeNode, void* parentWindow,
                             int variableSize, char* variables, InstallerStackNode** stackTop) noexcept {
  StoreCallArguments(parentWindow, variableSize, variables, stackTop, freeNode);

  char programName[kProgramNameSize] = "";
  PopString(programName, sizeof programName);

  char keyPath[kKeyPathSize];
  std::memcpy(keyPath, kAppPathsKey, kAppPathsKeyLength);
  std::memcpy(keyPath + kAppPathsKeyLength, programName, std::strlen(programName) + 1);

  char installedPath[kInstalledPathSize] = "";
  if (RegistryKeyHandle* key = registry.OpenKey(keyPath)) {
    ReadPathValue(registry, key, installedPath);
    registry.CloseKey(key);
  }
  SetUserVariable(0, installedPath);
}
