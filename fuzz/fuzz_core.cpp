#include "fuzz/fuzz_core.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "toolkit/files/file_reader.h"
#include "toolkit/startup/toolkit_startup.h"
#include "toolkit/strings/string_engine.h"

void FuzzCheckFailed(const char *condition, const char *file, int line) {
  std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
  std::abort();
}

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

namespace {
const int32_t FUZZ_BUFFER_SIZES[] = {4096, 1, 2, 3, 5, 16, 4095, 0};
} // namespace

FuzzFile FuzzFileOpen(const char *target, const uint8_t *data, size_t size) {
  // Started by the first input; the later ones find every step started.
  FUZZ_CHECK(ToolkitStartup());
  FuzzFile run = {data + 1, size - 1, 0, 0, FILE_BUFFER_SIZE};
  std::string path = std::string("/tmp/csvview-fuzz-") + target + "-" + std::to_string(getpid()) + ".bin";
  std::FILE *file = std::fopen(path.c_str(), "wb");
  FUZZ_CHECK(file);
  FUZZ_CHECK(std::fwrite(run.bytes, 1, run.length, file) == run.length);
  std::fclose(file);
  uint8_t control = data[0];
  FILE_BUFFER_SIZE = FUZZ_BUFFER_SIZES[control & 7];
  run.end = FILE_BUFFER_SIZE > 0 ? 1 : -1;
  run.pos = (control >> 3) * 37;
  std::memset(ScratchReserve(run.pos, 0), 'p', static_cast<size_t>(run.pos));
  FUZZ_CHECK(FileOpen(0, path.c_str()) != nullptr);
  return run;
}

void FuzzFileClose(const FuzzFile &run) {
  FUZZ_CHECK(run.pos == 0 || (*ScratchAt(0) == 'p' && *ScratchAt(run.pos - 1) == 'p'));
  FileClose(0);
  FILE_BUFFER_SIZE = run.savedBufferSize;
  ScratchSetPos(0);
}
