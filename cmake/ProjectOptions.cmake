# Warnings, sanitizers and the Windows runtime settings shared by every target.

set(WD_SANITIZE "" CACHE STRING "Native sanitizer build: empty, 'address' (ASan+UBSan) or 'thread'")

add_library(wd_options INTERFACE)
target_compile_options(wd_options INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                       -Wno-sign-conversion -Werror=return-type)

if(WD_SANITIZE STREQUAL "address")
  target_compile_options(wd_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                         -fno-sanitize-recover=undefined)
  target_link_options(wd_options INTERFACE -fsanitize=address,undefined)
elseif(WD_SANITIZE STREQUAL "thread")
  target_compile_options(wd_options INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
  target_link_options(wd_options INTERFACE -fsanitize=thread)
elseif(NOT WD_SANITIZE STREQUAL "")
  message(FATAL_ERROR "WD_SANITIZE must be empty, 'address' or 'thread'")
endif()

# The fuzzing tree (scripts/fuzz.sh): the fuzz targets link libFuzzer, and every library they
# use carries its coverage instrumentation too.
option(WD_LIBFUZZER "Link the fuzz targets with libFuzzer (clang only)" OFF)
if(WD_LIBFUZZER)
  target_compile_options(wd_options INTERFACE -fsanitize=fuzzer-no-link)
endif()

if(WIN32)
  # Unicode Win32, Windows 7 API level, and a fully static runtime so no MinGW DLL ships.
  target_compile_definitions(wd_options INTERFACE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                             _WIN32_WINNT=0x0601 WINVER=0x0601)
  target_link_options(wd_options INTERFACE -static -static-libgcc -static-libstdc++)
endif()

if(CMAKE_CROSSCOMPILING AND WIN32)
  # ctest runs Windows binaries under Wine, in a prefix private to this build tree.
  set(WD_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  # A prefix never run in: tests that want a prefix of their own get a copy of it.
  set(WD_WINEPREFIX_TEMPLATE ${CMAKE_BINARY_DIR}/wineprefix-template)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh ${WD_WINEPREFIX})
endif()
