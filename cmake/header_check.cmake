# Every portable header compiles on its own, and all of them compile together
# in one file, so a header that leans on an earlier include, or two headers
# that define the same name, fail the build the day they are written.
# Native builds only: the Windows headers (*_win.h) and the tests' own
# support headers and kits are left out.

function(kelvane_header_check)
  set(folders store search passage verselist notes output shell platform)
  set(headers)
  foreach(folder ${folders})
    file(GLOB_RECURSE found CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/${folder}/*.h)
    list(APPEND headers ${found})
  endforeach()
  list(FILTER headers EXCLUDE REGEX "(_win|_test_support)\\.h$|/testing/")
  list(SORT headers)

  set(dir ${PROJECT_BINARY_DIR}/header_check)
  set(sources)
  set(all "// Generated: every portable header in one file.\n")
  foreach(header ${headers})
    string(MAKE_C_IDENTIFIER ${header} name)
    set(source ${dir}/${name}.cpp)
    file(CONFIGURE OUTPUT ${source} CONTENT "#include \"${header}\"\n#include \"${header}\"\n")
    list(APPEND sources ${source})
    string(APPEND all "#include \"${header}\"\n")
  endforeach()
  file(CONFIGURE OUTPUT ${dir}/all_headers.cpp CONTENT "${all}")
  list(APPEND sources ${dir}/all_headers.cpp)

  add_library(kelvane_header_check OBJECT ${sources})
  target_include_directories(kelvane_header_check PRIVATE ${PROJECT_SOURCE_DIR})
  target_compile_options(kelvane_header_check PRIVATE ${KELVANE_WARNINGS} -Werror)
endfunction()
