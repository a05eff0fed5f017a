# Target plumbing shared by every subsystem folder.
#
# Each folder adds its files with the functions below instead of creating
# targets of its own, so a new module is one line in its folder's
# CMakeLists.txt:
#   kelvane_core(...)        portable logic (never includes windows.h)
#   kelvane_shell(...)       Win32 code of the program (*_win.cpp, resources)
#   kelvane_native_test(...) GoogleTest files run natively under sanitizers
#   kelvane_win_test(...)    GoogleTest files run in-process under Wine

set(KELVANE_WARNINGS -Wall -Wextra)
option(KELVANE_WIN_TESTS "Build kelvane_win_tests, the Win32 tests run under Wine" ON)

add_library(kelvane_core STATIC)
target_include_directories(kelvane_core PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(kelvane_core PRIVATE ${KELVANE_WARNINGS})

if(WIN32)
  add_library(kelvane_shell STATIC)
  target_include_directories(kelvane_shell PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(kelvane_shell PRIVATE ${KELVANE_WARNINGS})
  target_compile_definitions(kelvane_shell PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX)
  target_link_libraries(kelvane_shell PUBLIC kelvane_core comctl32 comdlg32 gdi32 user32 kernel32 winspool shell32)
else()
  # The same core again, built with AddressSanitizer and UBSan for the tests.
  add_library(kelvane_core_san STATIC)
  target_include_directories(kelvane_core_san PUBLIC ${PROJECT_SOURCE_DIR})
  set(KELVANE_SAN_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_compile_options(kelvane_core_san PUBLIC ${KELVANE_SAN_FLAGS} PRIVATE ${KELVANE_WARNINGS})
  target_link_options(kelvane_core_san PUBLIC ${KELVANE_SAN_FLAGS})
endif()

function(kelvane_core)
  target_sources(kelvane_core PRIVATE ${ARGN})
  if(NOT WIN32)
    target_sources(kelvane_core_san PRIVATE ${ARGN})
  endif()
endfunction()

function(kelvane_shell)
  if(WIN32)
    target_sources(kelvane_shell PRIVATE ${ARGN})
  endif()
endfunction()

function(kelvane_native_test)
  if(NOT WIN32)
    foreach(f ${ARGN})
      get_filename_component(abs ${f} ABSOLUTE)
      set_property(GLOBAL APPEND PROPERTY KELVANE_NATIVE_TESTS ${abs})
    endforeach()
  endif()
endfunction()

function(kelvane_win_test)
  if(WIN32)
    foreach(f ${ARGN})
      get_filename_component(abs ${f} ABSOLUTE)
      set_property(GLOBAL APPEND PROPERTY KELVANE_WIN_TESTS ${abs})
    endforeach()
  endif()
endfunction()

# Called once at the end of the top-level file, when every folder has
# contributed its sources.
function(kelvane_finish_targets)
  include(GoogleTest)
  if(NOT WIN32)
    find_package(GTest REQUIRED)
    get_property(tests GLOBAL PROPERTY KELVANE_NATIVE_TESTS)
    add_executable(kelvane_tests ${tests})
    target_compile_options(kelvane_tests PRIVATE ${KELVANE_WARNINGS})
    target_compile_definitions(kelvane_tests PRIVATE
      KELVANE_TEST_DATA_DIR="${KELVANE_DATA_DIR}"
      KELVANE_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
      KELVANE_BINARY_DIR="${PROJECT_BINARY_DIR}")
    target_link_libraries(kelvane_tests PRIVATE kelvane_core_san GTest::gtest GTest::gtest_main)
    add_dependencies(kelvane_tests bible_data help_file)
    gtest_discover_tests(kelvane_tests
      DISCOVERY_MODE PRE_TEST
      WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
      PROPERTIES LABELS native TIMEOUT 120)
  endif()
  if(WIN32 AND KELVANE_WIN_TESTS)
    include(${PROJECT_SOURCE_DIR}/cmake/wintests.cmake)
  endif()
endfunction()
