# Native trees use the system GoogleTest; the Windows tree builds it from Debian's sources.
if(WIN32)
  set(WD_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for the cross build")
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(${WD_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/_deps/googletest EXCLUDE_FROM_ALL)
  if(NOT TARGET GTest::gtest_main)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# Properties of a ctest entry that runs a whole GoogleTest program: a skipped case makes the
# entry skipped (which scripts/test.sh fails), and a filter that matches no case fails it, so a
# renamed case cannot vanish from the run unnoticed.
function(wd_gtest_program_properties)
  set_tests_properties(${ARGN} PROPERTIES
    SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]"
    FAIL_REGULAR_EXPRESSION "Running 0 tests from")
endfunction()

# One test executable. Native: each test case is its own ctest entry. Under Wine: one entry per
# executable, since listing the cases would start Wine once more per binary at build time.
function(wd_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main wd_options)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name})
    wd_gtest_program_properties(${name})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 30)
  endif()
endfunction()
