# Script (cmake -P): cross-builds NorvSetupHelper.dll for 32-bit Windows, compiles the example
# installer against it with makensis, and checks that the DLL exports only its one function
# and needs nothing beyond the system's own DLLs.
# Arguments: SOURCE_DIR (installer/), BINARY_DIR, TOOLCHAIN_FILE.
# Prints "skipped:" when the cross compiler or makensis is missing (./dev test installs them).

find_program(CROSS_CXX i686-w64-mingw32-g++)
find_program(CROSS_OBJDUMP i686-w64-mingw32-objdump)
find_program(MAKENSIS makensis)
if(NOT CROSS_CXX OR NOT CROSS_OBJDUMP OR NOT MAKENSIS)
  message("skipped: needs i686-w64-mingw32-g++ and makensis (Debian packages g++-mingw-w64-i686-win32, nsis)")
  return()
endif()

execute_process(
  COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${BINARY_DIR} -G Ninja -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN_FILE}
  COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BINARY_DIR} COMMAND_ERROR_IS_FATAL ANY)

set(dll ${BINARY_DIR}/setuphelper/NorvSetupHelper.dll)
execute_process(COMMAND ${CROSS_OBJDUMP} -p ${dll} OUTPUT_VARIABLE headers COMMAND_ERROR_IS_FATAL ANY)

string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
foreach(import IN LISTS imports)
  if(NOT import MATCHES "DLL Name: (KERNEL32|ADVAPI32|msvcrt)\\.dll$")
    message(FATAL_ERROR "NorvSetupHelper.dll needs a DLL that a bare system lacks: ${import}")
  endif()
endforeach()

string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n([\t ]+\\[[^\n]+\n)+" table "${headers}")
string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" exports "${table}")
if(NOT exports MATCHES "^\\[ *0\\] GetLastInstalledPath$")
  message(FATAL_ERROR "NorvSetupHelper.dll must export exactly GetLastInstalledPath, not: ${exports}")
endif()
message(STATUS "NorvSetupHelper.dll and ${BINARY_DIR}/GetLastInstalledPathExample.exe built")
