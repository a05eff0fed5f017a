# The Win32 test program, kelvane_win_tests: GoogleTest files registered by
# the folders with kelvane_win_test(...), run in-process against the real
# windows under Wine, one process per test. Also kelvane_keeper, which holds
# Wine's virtual desktop open between those processes, and
# kelvane_add_printer, which installs the test printer in the prefix (both
# used by scripts/wine-env.sh).
# Included from kelvane_finish_targets() in WIN32 builds with KELVANE_WIN_TESTS.

# kelvane_windows_path(<out-var> <path>)
# The Windows spelling of a Unix path as a C string body: Wine maps Z: to the
# root of the Unix file system, and each backslash is doubled for the
# compiler ("/work/data" -> "Z:\\work\\data").
function(kelvane_windows_path out path)
  cmake_path(ABSOLUTE_PATH path NORMALIZE)
  string(REPLACE "/" "\\\\" escaped "${path}")
  string(REGEX REPLACE "\\\\\\\\$" "" escaped "${escaped}")
  set(${out} "Z:${escaped}" PARENT_SCOPE)
endfunction()

# gtest's own options are older than CMP0077, so only cache entries reach them.
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

set(kelvane_kit_dir ${PROJECT_SOURCE_DIR}/shell/testing)
get_property(kelvane_win_test_files GLOBAL PROPERTY KELVANE_WIN_TESTS)

add_executable(kelvane_win_tests
  ${kelvane_kit_dir}/win_test_main_win.cpp
  ${kelvane_kit_dir}/modal_script_win.cpp
  ${kelvane_kit_dir}/program_test_win.cpp
  ${kelvane_win_test_files})
if(TARGET kelvane_resources)
  target_sources(kelvane_win_tests PRIVATE $<TARGET_OBJECTS:kelvane_resources>)
endif()
target_compile_options(kelvane_win_tests PRIVATE ${KELVANE_WARNINGS})
kelvane_windows_path(kelvane_win_data_dir "${KELVANE_DATA_DIR}")
kelvane_windows_path(kelvane_win_source_dir "${PROJECT_SOURCE_DIR}")
kelvane_windows_path(kelvane_win_binary_dir "${PROJECT_BINARY_DIR}")
target_compile_definitions(kelvane_win_tests PRIVATE
  KELVANE_TEST_DATA_DIR="${kelvane_win_data_dir}"
  KELVANE_SOURCE_DIR="${kelvane_win_source_dir}"
  KELVANE_BINARY_DIR="${kelvane_win_binary_dir}")
target_link_libraries(kelvane_win_tests PRIVATE kelvane_shell gtest comctl32)
target_link_options(kelvane_win_tests PRIVATE -static)
# Always the build's own prefix, for discovery as for the tests themselves,
# even when scripts/wine-env.sh was not sourced: never ~/.wine.
set_property(TARGET kelvane_win_tests PROPERTY CROSSCOMPILING_EMULATOR
  env WINEPREFIX=${PROJECT_BINARY_DIR}/wineprefix ${CMAKE_CROSSCOMPILING_EMULATOR})

add_executable(kelvane_keeper WIN32 ${kelvane_kit_dir}/keeper_win.cpp)
target_compile_options(kelvane_keeper PRIVATE ${KELVANE_WARNINGS})
target_link_options(kelvane_keeper PRIVATE -static)
# Where scripts/wine-env.sh looks for it.
set_target_properties(kelvane_keeper PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})

# The set-up program of the test printer (shell/testing/test_printer.h) and
# its description, side by side where scripts/wine-env.sh looks for them when
# it makes the prefix.
add_executable(kelvane_add_printer WIN32 ${kelvane_kit_dir}/add_printer_win.cpp)
target_include_directories(kelvane_add_printer PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_options(kelvane_add_printer PRIVATE ${KELVANE_WARNINGS})
target_link_libraries(kelvane_add_printer PRIVATE winspool)
target_link_options(kelvane_add_printer PRIVATE -static)
set_target_properties(kelvane_add_printer PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
configure_file(${kelvane_kit_dir}/test_printer.ppd ${PROJECT_BINARY_DIR}/kelvane_test_printer.ppd COPYONLY)

# One process per test, so a window that never closes is ended by the
# timeout; the lock because focus, input and the clipboard are shared by
# every process of the prefix.
# The help viewer is disabled for every test (a missing help file would
# block one on the viewer's own box) but the help viewer tests, whose
# processes start without that override: Wine reads it once, when a process
# starts.
set(kelvane_help_tests "HelpViewer.*:EveryId/HelpTopic.*")
# The random soak runs longer than one test may, so it has its own timeout.
set(kelvane_soak_tests "Soak.*")
gtest_discover_tests(kelvane_win_tests
  DISCOVERY_MODE PRE_TEST
  DISCOVERY_TIMEOUT 60
  TEST_FILTER "-${kelvane_help_tests}:${kelvane_soak_tests}:PrintedPages.*"
  WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
  PROPERTIES TIMEOUT 30 RESOURCE_LOCK wine_desktop LABELS win64)
gtest_discover_tests(kelvane_win_tests
  DISCOVERY_MODE PRE_TEST
  DISCOVERY_TIMEOUT 60
  TEST_FILTER "${kelvane_help_tests}"
  WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
  PROPERTIES TIMEOUT 60 RESOURCE_LOCK wine_desktop LABELS win64
    ENVIRONMENT "WINEDLLOVERRIDES=winemenubuilder.exe=d")
gtest_discover_tests(kelvane_win_tests
  DISCOVERY_MODE PRE_TEST
  DISCOVERY_TIMEOUT 60
  TEST_FILTER "${kelvane_soak_tests}"
  WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
  PROPERTIES TIMEOUT 240 RESOURCE_LOCK wine_desktop LABELS win64)
