#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "setuphelper/NorvSetupHelper.h"

namespace {

// The built library as the installer uses it: loaded at run time, the export found by name,
// a stack node from the system allocator (what the installer's allocator is off Windows).
TEST(NorvSetupHelperLibrary, ExportFindsNothingWithoutAWindowsRegistry) {
  void* library = dlopen(NORV_SETUPHELPER_LIBRARY, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  auto* getLastInstalledPath =
      reinterpret_cast<decltype(&GetLastInstalledPath)>(dlsym(library, "GetLastInstalledPath"));
  ASSERT_NE(getLastInstalledPath, nullptr);

  constexpr int kVariableSize = 64;
  char variables[kInstallerVariableCount * kVariableSize];
  std::memset(variables, '#', sizeof variables);
  auto* node = static_cast<InstallerStackNode*>(std::calloc(1, sizeof(InstallerStackNode) + kVariableSize));
  std::strcpy(node->text, "FerroMarquee.exe");
  InstallerStackNode* top = node;

  getLastInstalledPath(nullptr, kVariableSize, variables, &top);  // frees the node (checked by LeakSanitizer)

  EXPECT_EQ(top, nullptr);
  EXPECT_STREQ(variables, "");
  EXPECT_EQ(variables[kVariableSize], '#');
  dlclose(library);
}

}  // namespace
