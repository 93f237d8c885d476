#include "setuphelper/NorvSetupHelper.h"

#include "setuphelper/InstalledPathLookup.h"
#include "setuphelper/PluginSystem.h"

void NORV_SETUPHELPER_CALL GetLastInstalledPath(void* parentWindow, int variableSize, char* variables,
                                                InstallerStackNode** stackTop) noexcept {
  LookUpLastInstalledPath(SystemRegistry(), FreeGlobalMemory, parentWindow, variableSize, variables, stackTop);
}
