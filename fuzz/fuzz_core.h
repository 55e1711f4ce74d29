// What every fuzz target shares.
#pragma once
#include <cstddef>
#include <cstdint>

// Stops the run at the first disagreement so the fuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                                          \
  do {                                                                                                                 \
    if (!(condition)) {                                                                                                \
      FuzzCheckFailed(#condition, __FILE__, __LINE__);                                                                 \
    }                                                                                                                  \
  } while (0)
[[noreturn]] void FuzzCheckFailed(const char *condition, const char *file, int line);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);
