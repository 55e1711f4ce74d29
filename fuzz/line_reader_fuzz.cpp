// The line reader over arbitrary bytes against a small model of the line
// rules: CR, LF, CR LF and NUL end a line; the end is reported right after the
// last line. The first input byte picks the buffer size and where in the
// scratch buffer lines are built; the rest is the file.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/fuzz_core.h"
#include "toolkit/files/file_reader.h"
#include "toolkit/strings/string_engine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size == 0) {
    return 0;
  }
  FuzzFile run = FuzzFileOpen("lines", data, size);
  int32_t pos = run.pos;
  std::vector<std::string> expected = FuzzModelByteLines(run.bytes, run.length);
  for (size_t index = 0; index < expected.size(); index++) {
    FileReadLine(0, pos);
    const std::string &line = expected[index];
    FUZZ_CHECK(ScratchPos == pos + static_cast<int32_t>(line.size()));
    FUZZ_CHECK(std::memcmp(ScratchAt(pos), line.data(), line.size()) == 0);
    FUZZ_CHECK(*ScratchAt(ScratchPos) == 0);
    ScratchSetPos(pos);
    FUZZ_CHECK(FileAtEnd(0) == (index + 1 == expected.size() ? run.end : 0));
  }
  FuzzFileClose(run);
  return 0;
}
