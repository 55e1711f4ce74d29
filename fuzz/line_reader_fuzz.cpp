// The line reader over arbitrary bytes against a small model of the line
// rules: CR, LF, CR LF and NUL end a line; the end is reported right after the
// last line. The first input byte picks the buffer size and where in the
// scratch buffer lines are built; the rest is the file.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/fuzz_core.h"
#include "toolkit/startup/toolkit_startup.h"
#include "toolkit/files/file_reader.h"
#include "toolkit/strings/string_engine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size == 0) {
    return 0;
  }
  // Started by the first input; the later ones find every step started.
  FUZZ_CHECK(ToolkitStartup());
  uint8_t control = data[0];
  const uint8_t *bytes = data + 1;
  size_t length = size - 1;
  static const std::string path = FuzzFilePath("lines");
  std::FILE *file = std::fopen(path.c_str(), "wb");
  FUZZ_CHECK(file);
  FUZZ_CHECK(std::fwrite(bytes, 1, length, file) == length);
  std::fclose(file);

  int32_t saved = FILE_BUFFER_SIZE;
  FILE_BUFFER_SIZE = FUZZ_BUFFER_SIZES[control & 7];
  int32_t end = FILE_BUFFER_SIZE > 0 ? 1 : -1;
  // Text ahead of the line must survive every growth of the buffer.
  int32_t pos = (control >> 3) * 37;
  std::memset(ScratchReserve(pos, 0), 'p', static_cast<size_t>(pos));

  FUZZ_CHECK(FileOpen(0, path.c_str()) != nullptr);
  std::vector<std::string> expected = FuzzModelByteLines(bytes, length);
  for (size_t index = 0; index < expected.size(); index++) {
    FileReadLine(0, pos);
    const std::string &line = expected[index];
    FUZZ_CHECK(ScratchPos == pos + static_cast<int32_t>(line.size()));
    FUZZ_CHECK(std::memcmp(ScratchAt(pos), line.data(), line.size()) == 0);
    FUZZ_CHECK(*ScratchAt(ScratchPos) == 0);
    FUZZ_CHECK(pos == 0 || (*ScratchAt(0) == 'p' && *ScratchAt(pos - 1) == 'p'));
    ScratchSetPos(pos);
    FUZZ_CHECK(FileAtEnd(0) == (index + 1 == expected.size() ? end : 0));
  }
  FileClose(0);
  FILE_BUFFER_SIZE = saved;
  ScratchSetPos(0);
  return 0;
}
