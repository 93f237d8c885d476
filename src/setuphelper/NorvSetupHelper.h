#pragma once

#include "setuphelper/InstallerStack.h"

// The installer plug-in's one exported function. Everything else in the library stays hidden
// (hidden visibility by default, and only what carries NORV_SETUPHELPER_API in the DLL's
// export table).
#if defined(_WIN32)
#define NORV_SETUPHELPER_API __declspec(dllexport)
// The installer calls plug-in functions with the C calling convention; it passes a fifth
// argument (its extra parameters) that this caller-cleans-up convention lets us ignore.
#define NORV_SETUPHELPER_CALL __cdecl
#else
#define NORV_SETUPHELPER_API __attribute__((visibility("default")))
#define NORV_SETUPHELPER_CALL
#endif

extern "C" {

// Pops a program's file name (for example "FerroMarquee.exe") from the installer stack and
// sets $0 to the folder under which that program is registered in the local-machine
// "App Paths" key, exactly as stored, or to "" when it is not registered. Reports nothing
// else; never throws. parentWindow is the installer's window handle (unused), variableSize
// the size of one installer variable in characters, variables the installer's 25 variables
// laid end to end, stackTop the address of the installer's stack-top pointer.
NORV_SETUPHELPER_API void NORV_SETUPHELPER_CALL GetLastInstalledPath(void* parentWindow, int variableSize,
                                                                     char* variables,
                                                                     InstallerStackNode** stackTop) noexcept;
}
