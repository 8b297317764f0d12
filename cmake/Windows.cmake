# Windows build: the two programs, the program folder and the Windows tests.
enable_language(RC)
include(${CMAKE_CURRENT_LIST_DIR}/Version.cmake)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00 WINVER=0x0A00)
add_compile_options(-Wall -Wextra)
if(MINGW)
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

# The finished program folder: both programs, the default settings and the shipped holiday table.
set(ZANTO_PROGRAM_DIR ${CMAKE_BINARY_DIR}/Zanto)
set(ZANTO_TEST_DIR ${CMAKE_BINARY_DIR}/tests)

# Win32 layer of the calendar: everything but the entry point, so tests can link it.
file(GLOB ZANTO_WIN_SOURCES CONFIGURE_DEPENDS
  app/*.cpp calendar/*_win.cpp docs/*_win.cpp dialogs/*.cpp)
list(FILTER ZANTO_WIN_SOURCES EXCLUDE REGEX "app/main\\.cpp$")
include(${CMAKE_SOURCE_DIR}/cmake/DelayLoad.cmake)
add_library(zanto_win STATIC ${ZANTO_WIN_SOURCES} ${CMAKE_SOURCE_DIR}/docs/platform.h)
target_link_libraries(zanto_win PUBLIC zanto_core
  ${ZANTO_LOAD_ON_FIRST_USE} shell32 shlwapi ole32 gdi32 user32 kernel32 psapi)

# zanto.rc includes the other .rc files, the icon and the id header; rebuild it when any changes.
file(GLOB ZANTO_RC_PARTS CONFIGURE_DEPENDS resources/*.rc resources/*.h resources/*.ico)
set_source_files_properties(resources/zanto.rc PROPERTIES OBJECT_DEPENDS "${ZANTO_RC_PARTS}")

if(EXISTS ${CMAKE_SOURCE_DIR}/app/main.cpp)
  add_executable(Zanto WIN32 app/main.cpp resources/zanto.rc resources/zanto_program.rc)
  target_link_libraries(Zanto PRIVATE zanto_win)
  set_target_properties(Zanto PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ZANTO_PROGRAM_DIR})
endif()

# The calendar with a clock the end-to-end tests set ("SteeredClock.txt" beside the program),
# so that no test waits for a real minute; each of its processes takes a session mutex of its
# own, so tests may run several side by side. Built beside the tests, never shipped.
if(TARGET Zanto)
  add_executable(ZantoSteered WIN32 app/main.cpp tests/win/steered/steered_clock.cpp
    tests/win/steered/steered_instance.cpp
    resources/zanto.rc resources/zanto_program.rc)
  target_link_libraries(ZantoSteered PRIVATE zanto_win)
  set_target_properties(ZantoSteered PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ZANTO_TEST_DIR})
endif()

file(GLOB HOSHIRO_SOURCES CONFIGURE_DEPENDS msgprog/*.cpp)
add_executable(Hoshiro WIN32 ${HOSHIRO_SOURCES} resources/hoshiro.rc)
target_compile_definitions(Hoshiro PRIVATE UNICODE _UNICODE)
if(MINGW)
  target_link_options(Hoshiro PRIVATE -municode)
endif()
target_link_libraries(Hoshiro PRIVATE comctl32 user32)
set_target_properties(Hoshiro PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ZANTO_PROGRAM_DIR})
# windres knows nothing of the files a script pulls in: the version header and the manifests.
# Appended: zanto.rc keeps its dependence on the resource files it includes.
set_property(SOURCE resources/zanto.rc resources/zanto_program.rc resources/hoshiro.rc
  APPEND PROPERTY OBJECT_DEPENDS ${ZANTO_RC_GENERATED})

foreach(_file Settings.xml Holidays00.xml)
  if(EXISTS ${CMAKE_SOURCE_DIR}/resources/${_file})
    configure_file(${CMAKE_SOURCE_DIR}/resources/${_file} ${ZANTO_PROGRAM_DIR}/${_file} COPYONLY)
  endif()
endforeach()

# GoogleTest from Debian's sources, built with the cross compiler.
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(ZANTO_GOOGLETEST_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
add_subdirectory(${ZANTO_GOOGLETEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Each Windows test file is one executable and one ctest test: starting Wine costs a second,
# so the cases of a file run inside one process.
file(GLOB ZANTO_WIN_TESTS CONFIGURE_DEPENDS tests/win/*_test.cpp)
file(GLOB ZANTO_WIN_TEST_HELPERS CONFIGURE_DEPENDS tests/win/support/*.cpp)
add_library(zanto_win_test_support STATIC ${ZANTO_WIN_TEST_HELPERS} ${CMAKE_SOURCE_DIR}/tests/win/support/driver.h)
target_include_directories(zanto_win_test_support PUBLIC ${CMAKE_SOURCE_DIR}/tests/win)
target_link_libraries(zanto_win_test_support PUBLIC zanto_win gtest comctl32 user32 gdi32 psapi shell32
  shlwapi ole32 uuid)
# Test helpers run from the build tree but start scripts kept beside the sources.
target_compile_definitions(zanto_win_test_support PUBLIC ZANTO_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
foreach(_src ${ZANTO_WIN_TESTS})
  get_filename_component(_name ${_src} NAME_WE)
  # The calendar's resources (dialog templates, string table) are linked into every test, so
  # dialogs and texts load from the test program as they do from Zanto.exe.
  add_executable(${_name} ${_src} resources/zanto.rc)
  target_link_libraries(${_name} PRIVATE zanto_win zanto_win_test_support gtest_main)
  set_target_properties(${_name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ZANTO_TEST_DIR})
  add_dependencies(${_name} Hoshiro)
  if(TARGET Zanto)
    add_dependencies(${_name} Zanto ZantoSteered)
  endif()
  add_test(NAME ${_name} COMMAND ${_name} WORKING_DIRECTORY ${ZANTO_TEST_DIR})
  set_tests_properties(${_name} PROPERTIES TIMEOUT 300
    ENVIRONMENT "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix;ZANTO_ARTIFACTS=${CMAKE_BINARY_DIR}/../artifacts")
  # End-to-end tests start the programs on the prefix's one real data folder, one at a time.
  # They also read their windows back from the screen, where the dialog tests put topmost
  # dialogs: those share the screen one at a time as well.
  if(_name MATCHES "_e2e_test$")
    # Many program starts each: on two busy cores a run can take minutes.
    set_tests_properties(${_name} PROPERTIES RESOURCE_LOCK "zanto_data_folder;zanto_screen"
      TIMEOUT 600)
  elseif(_name MATCHES "^(dlg_|dialog_)|_editors_test$")
    set_tests_properties(${_name} PROPERTIES RESOURCE_LOCK zanto_screen)
  endif()
endforeach()

# The hook a start-up test installs in every process, to refuse the calendar its window.
add_library(refuse_window_hook SHARED tests/win/hook/refuse_window_hook.cpp)
set_target_properties(refuse_window_hook PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${ZANTO_TEST_DIR})
if(TEST start_failure_e2e_test)
  add_dependencies(start_failure_e2e_test refuse_window_hook)
endif()

# The 150 % test runs in a Wine prefix of its own whose screen has 144 DPI. It creates the
# calendar's windows itself, per-monitor aware by the calendar's manifest.
if(TEST dpi144_test)
  target_sources(dpi144_test PRIVATE resources/zanto_program.rc)
  set_tests_properties(dpi144_test PROPERTIES RESOURCE_LOCK zanto_screen ENVIRONMENT
    "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix-dpi144;ZANTO_WINE_DPI=144;ZANTO_ARTIFACTS=${CMAKE_BINARY_DIR}/../artifacts")
endif()

# Redraw timing under Wine: prints figures, never registered as a test.
if(EXISTS ${CMAKE_SOURCE_DIR}/tests/win/redraw_bench.cpp)
  add_executable(redraw_bench tests/win/redraw_bench.cpp)
  target_link_libraries(redraw_bench PRIVATE zanto_win zanto_win_test_support gtest_main)
  set_target_properties(redraw_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ZANTO_TEST_DIR})
endif()

# Start-up timing of the calendar next to a minimal window: prints figures, never a test.
if(EXISTS ${CMAKE_SOURCE_DIR}/tests/win/startup_timing.cpp)
  add_executable(startup_timing tests/win/startup_timing.cpp)
  target_link_libraries(startup_timing PRIVATE zanto_win zanto_win_test_support)
  set_target_properties(startup_timing PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ZANTO_TEST_DIR})
endif()

# The calendar's start-up steps timed one by one; startup_timing starts it and prints its figures.
if(EXISTS ${CMAKE_SOURCE_DIR}/tests/win/startup_phases.cpp)
  add_executable(startup_phases tests/win/startup_phases.cpp resources/zanto.rc)
  target_link_libraries(startup_phases PRIVATE zanto_win)
  target_include_directories(startup_phases PRIVATE ${CMAKE_SOURCE_DIR}/tests/win)
  set_target_properties(startup_phases PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ZANTO_TEST_DIR})
  if(TARGET startup_timing)
    add_dependencies(startup_timing startup_phases)
  endif()
endif()

include(${CMAKE_CURRENT_LIST_DIR}/Package.cmake)
