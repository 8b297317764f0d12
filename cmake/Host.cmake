# Host build: the core and its unit tests, with AddressSanitizer and UndefinedBehaviorSanitizer;
# or, with ZANTO_FUZZ, the file-loader fuzzers (clang and libFuzzer).
option(ZANTO_SANITIZE "Build the host tests with ASan and UBSan" ON)
option(ZANTO_FUZZ "Build the libFuzzer targets instead of the unit tests" OFF)
target_compile_options(zanto_core PRIVATE -Wall -Wextra)

if(ZANTO_FUZZ)
  set(_fuzz -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_compile_options(zanto_core PRIVATE ${_fuzz})
  file(GLOB ZANTO_FUZZERS CONFIGURE_DEPENDS tests/fuzz/*.cpp)
  foreach(_src ${ZANTO_FUZZERS})
    get_filename_component(_name ${_src} NAME_WE)
    add_executable(${_name} ${_src})
    target_compile_options(${_name} PRIVATE ${_fuzz})
    target_link_options(${_name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(${_name} PRIVATE zanto_core)
  endforeach()
  return()
endif()

# The old calendar's table of new moons and solar longitudes is computed on the host with ERFA
# and committed (calendar/koyomi_table.cpp); the Windows build needs no ERFA. The generator is
# built without the sanitizers, so the test that compares its output with the committed table
# takes seconds.
find_package(PkgConfig REQUIRED)
pkg_check_modules(ERFA REQUIRED IMPORTED_TARGET erfa)
add_executable(koyomi_gen tools/koyomi_gen.cpp tools/sky_events.cpp)
target_include_directories(koyomi_gen PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(koyomi_gen PRIVATE PkgConfig::ERFA)
add_test(NAME KoyomiTable.CommittedTableIsTheGeneratorsOutput
  COMMAND ${CMAKE_COMMAND} -DGENERATOR=$<TARGET_FILE:koyomi_gen>
    -DCOMMITTED=${CMAKE_SOURCE_DIR}/calendar/koyomi_table.cpp
    -DOUTPUT=${CMAKE_BINARY_DIR}/koyomi_table_generated.cpp
    -P ${CMAKE_SOURCE_DIR}/cmake/CompareGenerated.cmake)

if(ZANTO_SANITIZE)
  set(_san -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_compile_options(${_san})
  add_link_options(${_san})
  # The core target was created before this file ran, so it gets the flags itself.
  target_compile_options(zanto_core PRIVATE ${_san})
endif()

find_package(GTest REQUIRED)
include(GoogleTest)
file(GLOB ZANTO_HOST_TESTS CONFIGURE_DEPENDS tests/host/*.cpp)
add_executable(host_tests ${ZANTO_HOST_TESTS})
target_link_libraries(host_tests PRIVATE zanto_core GTest::gtest GTest::gtest_main)
target_compile_definitions(host_tests PRIVATE ZANTO_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
gtest_discover_tests(host_tests DISCOVERY_TIMEOUT 60)

# Benchmarks print figures and are never run as tests; run them from the host-release build.
# The unit-test build compiles them too, so a benchmark that no longer builds fails the test run.
find_package(benchmark REQUIRED)
file(GLOB ZANTO_BENCHES CONFIGURE_DEPENDS bench/*.cpp)
foreach(_src ${ZANTO_BENCHES})
  get_filename_component(_name ${_src} NAME_WE)
  add_executable(${_name} ${_src})
  target_link_libraries(${_name} PRIVATE zanto_core benchmark::benchmark benchmark::benchmark_main)
  target_compile_definitions(${_name} PRIVATE ZANTO_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
endforeach()

# koyomi_table FROM TO: the old calendar of every day, for checking the engine against a
# published table.
add_executable(koyomi_table tools/koyomi_table_main.cpp)
target_link_libraries(koyomi_table PRIVATE zanto_core)
add_test(NAME KoyomiTable.ListsDaysInThePublishedFormat
  COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:koyomi_table>
    -DEXPECTED=${CMAKE_SOURCE_DIR}/tests/host/koyomi_table_expected.txt
    -P ${CMAKE_SOURCE_DIR}/cmake/CheckKoyomiTable.cmake)
