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

find_package(GTest CONFIG REQUIRED)
include(GoogleTest)

# A GoogleTest executable over the Qt-free core.
function(marquee_add_core_test name)
  add_executable(${name} ${ARGN})
  marquee_target_defaults(${name})
  target_link_libraries(${name} PRIVATE marquee_core GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE MARQUEE_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT ${MARQUEE_TEST_TIMEOUT})
endfunction()

# A GoogleTest executable that needs Qt (services or widgets). Runs offscreen with a
# temporary HOME so no test touches the user's settings or documents; MARQUEE_PROGRAM_FOLDER
# is a folder with the help pages, as the program's own folder has them. SERIAL: the tests
# bind shared addresses or measure real pauses, so they never run beside other tests.
function(marquee_add_qt_test name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "SERIAL" "" "")
  add_executable(${name} ${arg_UNPARSED_ARGUMENTS})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  marquee_target_defaults(${name})
  target_link_libraries(${name} PRIVATE marquee_qt_test_main GTest::gtest GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    MARQUEE_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    MARQUEE_SCREENSHOT_DIR="${PROJECT_BINARY_DIR}/screenshots"
    MARQUEE_PROGRAM_FOLDER="${PROJECT_SOURCE_DIR}/docs")
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
  endif()
endfunction()

function(marquee_add_bench name)
  add_executable(${name} ${ARGN})
  marquee_target_defaults(${name})
  target_link_libraries(${name} PRIVATE marquee_core benchmark::benchmark benchmark::benchmark_main)
endfunction()
