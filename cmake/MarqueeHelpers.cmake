# Build settings and target helpers shared by every folder.

option(MARQUEE_WERROR "Treat compiler warnings as errors (the CI build)" OFF)

add_library(marquee_warnings INTERFACE)
target_compile_options(marquee_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion)
if(MARQUEE_WERROR)
  target_compile_options(marquee_warnings INTERFACE -Werror)
endif()
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  # GCC 12 at -O2 reports std::string concatenation as overlapping copies (GCC bug 105651).
  target_compile_options(marquee_warnings INTERFACE -Wno-restrict)
endif()

add_library(marquee_sanitizers INTERFACE)
if(MARQUEE_SANITIZE)
  target_compile_options(marquee_sanitizers INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(marquee_sanitizers INTERFACE -fsanitize=address,undefined)
endif()
if(MARQUEE_FUZZ)
  # Coverage instrumentation for every target; the fuzzer main is linked into fuzz targets only.
  target_compile_options(marquee_sanitizers INTERFACE -fsanitize=fuzzer-no-link,address,undefined)
  target_link_options(marquee_sanitizers INTERFACE -fsanitize=address,undefined)
endif()

# Every target of ours gets the warnings and, when enabled, the sanitizers.
function(marquee_target_defaults target)
  target_link_libraries(${target} PRIVATE marquee_warnings marquee_sanitizers)
endfunction()

set(MARQUEE_TEST_TIMEOUT 120)

# The 64-bit Windows cross build (cmake/x86_64-w64-mingw32.cmake) runs its tests under Wine.
if(WIN32 AND CMAKE_CROSSCOMPILING)
  set(MARQUEE_WINE TRUE)
endif()

if(MARQUEE_WINE)
  # No GoogleTest is packaged for MinGW: build Debian's sources with the cross compiler.
  set(MARQUEE_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources for the cross build")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${MARQUEE_GTEST_SOURCE_DIR} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # A throwaway prefix in this build folder; tests/CMakeLists.txt creates it before the tests.
  set(MARQUEE_WINE_PREFIX ${PROJECT_BINARY_DIR}/wine-prefix)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/cmake/RunUnderWine.sh ${MARQUEE_WINE_PREFIX})
else()
  find_package(GTest CONFIG REQUIRED)
endif()
include(GoogleTest)

# Registers test program name with CTest. Under Wine each program is one test, so Wine starts
# once per program rather than once per case; elsewhere every case is a test of its own.
function(marquee_register_tests name)
  if(MARQUEE_WINE)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT ${MARQUEE_TEST_TIMEOUT} FIXTURES_REQUIRED wine ${ARGN})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT ${MARQUEE_TEST_TIMEOUT} ${ARGN})
  endif()
endfunction()

# A GoogleTest executable over the Qt-free core.
function(marquee_add_core_test name)
  add_executable(${name} ${ARGN})
  marquee_target_defaults(${name})
  target_link_libraries(${name} PRIVATE marquee_core marquee_test_support GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE MARQUEE_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
  marquee_register_tests(${name})
endfunction()

# A GoogleTest executable that needs Qt (services or widgets). Runs offscreen with a
# temporary HOME so no test touches the user's settings or documents; MARQUEE_PROGRAM_FOLDER
# is a folder with the help pages, as the program's own folder has them. SERIAL: the tests
# bind shared addresses or measure real pauses, so they never run beside other tests.
# MANUAL: built, but run by a tool script instead of the suite.
function(marquee_add_qt_test name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "SERIAL;MANUAL" "" "")
  add_executable(${name} ${arg_UNPARSED_ARGUMENTS})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  marquee_target_defaults(${name})
  target_link_libraries(${name} PRIVATE marquee_qt_test_main marquee_test_support GTest::gtest GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    MARQUEE_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    MARQUEE_SCREENSHOT_DIR="${PROJECT_BINARY_DIR}/screenshots"
    MARQUEE_PROGRAM_FOLDER="${PROJECT_SOURCE_DIR}/docs")
  if(arg_MANUAL)
    return()
  endif()
  set(serial FALSE)
  if(arg_SERIAL)
    set(serial TRUE)
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT ${MARQUEE_TEST_TIMEOUT} RUN_SERIAL ${serial} ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# A fuzz target: a real libFuzzer binary with MARQUEE_FUZZ, otherwise a replay
# program that CTest runs over the seed corpus plus deterministic random inputs.
function(marquee_add_fuzzer name source)
  add_executable(${name} ${source})
  marquee_target_defaults(${name})
  target_link_libraries(${name} PRIVATE marquee_core)
  if(MARQUEE_FUZZ)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  else()
    target_link_libraries(${name} PRIVATE marquee_fuzz_replay)
    set(corpus ${PROJECT_SOURCE_DIR}/tests/fuzz/corpus/${name})
    add_test(NAME ${name}.replay COMMAND ${name} ${corpus})
    set_tests_properties(${name}.replay PROPERTIES TIMEOUT ${MARQUEE_TEST_TIMEOUT})
    if(MARQUEE_WINE)
      set_tests_properties(${name}.replay PROPERTIES FIXTURES_REQUIRED wine)
    endif()
  endif()
endfunction()

function(marquee_add_bench name)
  add_executable(${name} ${ARGN})
  marquee_target_defaults(${name})
  target_link_libraries(${name} PRIVATE marquee_core marquee_test_support benchmark::benchmark benchmark::benchmark_main)
endfunction()
