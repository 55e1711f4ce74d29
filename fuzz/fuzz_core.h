// What every fuzz target shares.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Stops the run at the first disagreement so the fuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                                          \
  do {                                                                                                                 \
    if (!(condition)) {                                                                                                \
      FuzzCheckFailed(#condition, __FILE__, __LINE__);                                                                 \
    }                                                                                                                  \
  } while (0)
[[noreturn]] void FuzzCheckFailed(const char *condition, const char *file, int line);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

// The lines an 8-bit file holds, as the reader ends them: at CR, LF, CR LF
// and NUL; at least one, the last possibly empty.
std::vector<std::string> FuzzModelByteLines(const uint8_t *bytes, size_t size);
// A file of this process's own for the target named.
std::string FuzzFilePath(const char *target);
// The read-ahead sizes a target picks from: the usual, tiny ones that split
// every line end, and none.
extern const int32_t FUZZ_BUFFER_SIZES[8];
