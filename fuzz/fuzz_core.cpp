#include "fuzz/fuzz_core.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

void FuzzCheckFailed(const char *condition, const char *file, int line) {
  std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
  std::abort();
}

const int32_t FUZZ_BUFFER_SIZES[8] = {4096, 1, 2, 3, 5, 16, 4095, 0};

std::vector<std::string> FuzzModelByteLines(const uint8_t *bytes, size_t size) {
  std::vector<std::string> lines;
  size_t i = 0;
  do {
    std::string line;
    while (i < size) {
      uint8_t byte = bytes[i++];
      if (byte == 0 || byte == '\n') {
        break;
      }
      if (byte == '\r') {
        if (i < size && bytes[i] == '\n') {
          i++;
        }
        break;
      }
      line += static_cast<char>(byte);
    }
    lines.push_back(line);
  } while (i < size);
  return lines;
}

std::string FuzzFilePath(const char *target) {
  return std::string("/tmp/csvview-fuzz-") + target + "-" + std::to_string(getpid()) + ".bin";
}
