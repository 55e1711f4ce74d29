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

// A file target's input after its control byte, written to a file of the
// target's and opened as file 0 with the read-ahead size the control byte
// picks (the usual, tiny ones that split every line end, or none); text at
// the scratch buffer's start, ahead of pos, must survive every line read.
struct FuzzFile {
  const uint8_t *bytes;
  size_t length;
  int32_t pos;
  int32_t end; // what FileAtEnd reports at the end
  int32_t savedBufferSize;
};
FuzzFile FuzzFileOpen(const char *target, const uint8_t *data, size_t size);
// Checks the text ahead of pos, closes the file and puts the size back.
void FuzzFileClose(const FuzzFile &file);
