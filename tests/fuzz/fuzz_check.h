#pragma once
// A failed expectation in a fuzz target aborts, so both libFuzzer and the replay driver stop
// on it with the input that caused it.

#include <cstdio>
#include <cstdlib>

#define FUZZ_EXPECT(condition)                                                                 \
  do {                                                                                         \
    if (!(condition)) {                                                                        \
      std::fprintf(stderr, "%s:%d: expectation failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                            \
    }                                                                                          \
  } while (0)
