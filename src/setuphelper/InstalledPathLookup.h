#pragma once

#include <cstddef>

#include "setuphelper/InstallerStack.h"
#include "setuphelper/LocalMachineRegistry.h"

// Working buffers of one lookup, in bytes including the terminating zero. Longer program
// names and "Path" values are truncated to fit.
constexpr std::size_t kProgramNameSize = 100;
constexpr std::size_t kKeyPathSize = 256;
constexpr std::size_t kInstalledPathSize = 256;

// GetLastInstalledPath on a given registry and installer allocator (the export passes the
// system's): pops the program name, reads the "Path" value of
// "Software\Microsoft\Windows\CurrentVersion\App Paths\<name>" and sets $0 to it, or to ""
// when the key or value is missing or cannot be read. An empty stack looks up an empty name.
void LookUpLastInstalledPath(const ILocalMachineRegistry& registry, GlobalFreeFunction freeNode, void* parentWindow,
                             int variableSize, char* variables, InstallerStackNode** stackTop) noexcept;
