#pragma once

#include "setuphelper/LocalMachineRegistry.h"

// What the plug-in takes from the system it runs on; one file per platform defines these.

// The local-machine registry: the Windows registry on Windows; elsewhere a registry in which
// no key exists, so every lookup finds nothing.
const ILocalMachineRegistry& SystemRegistry() noexcept;

// Frees a block of the installer's global-memory allocator (GlobalFree on Windows, the C
// library's free elsewhere).
void FreeGlobalMemory(void* block) noexcept;
