// StrReplace against a naive reference. Input: a control byte, then source,
// find and replacement separated by NUL bytes. The control bits place each
// argument inside the scratch buffer, make the find text a tail of the source
// there, or write the result over the arguments.
#include <cstring>
#include <string>

#include "fuzz/fuzz_core.h"
#include "toolkit/startup/toolkit_startup.h"
#include "toolkit/strings/string_engine.h"
#include "toolkit/strings/string_functions.h"

namespace {

const uint8_t CONTROL_SOURCE_IN_SCRATCH = 1;
const uint8_t CONTROL_FIND_IN_SCRATCH = 2;
const uint8_t CONTROL_REPLACEMENT_IN_SCRATCH = 4;
const uint8_t CONTROL_RESULT_OVER_ARGUMENTS = 8;
const uint8_t CONTROL_FIND_IS_SOURCE_TAIL = 16;
const uint8_t CONTROL_NULL_FIND = 32;

std::string ReplacedReference(const std::string &source, const std::string &find, const std::string &replacement) {
  if (find.empty()) {
    return source;
  }
  std::string result;
  size_t i = 0;
  while (i < source.size()) {
    if (source.compare(i, find.size(), find) == 0) {
      result += replacement;
      i += find.size();
    } else {
      result += source[i++];
    }
  }
  return result;
}

std::string PartTake(const uint8_t *&cursor, const uint8_t *end) {
  const uint8_t *start = cursor;
  while (cursor < end && *cursor != 0) {
    cursor++;
  }
  std::string part(reinterpret_cast<const char *>(start), static_cast<size_t>(cursor - start));
  if (cursor < end) {
    cursor++;
  }
  return part;
}

// Builds the text in the buffer and moves past its NUL; returns its offset.
int32_t ScratchPlace(const std::string &text) {
  int32_t at = ScratchPos;
  StrAppendScratch(text.c_str());
  ScratchReserve(0, ScratchPos + 1);
  return at;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size == 0) {
    return 0;
  }
  // Started by the first input; the later ones find every step started.
  FUZZ_CHECK(ToolkitStartup());
  uint8_t control = data[0];
  const uint8_t *cursor = data + 1;
  const uint8_t *end = data + size;
  std::string source = PartTake(cursor, end);
  std::string find = PartTake(cursor, end);
  std::string replacement = PartTake(cursor, end);
  if (control & CONTROL_FIND_IS_SOURCE_TAIL) {
    find = source.substr(source.size() / 2);
  }
  if (control & CONTROL_NULL_FIND) {
    find.clear();
  }
  std::string expected = ReplacedReference(source, find, replacement);

  StrAppendScratch("keep");
  int32_t base = ScratchPlace("");
  int32_t sourceAt = (control & CONTROL_SOURCE_IN_SCRATCH) ? ScratchPlace(source) : -1;
  int32_t findAt = (control & CONTROL_FIND_IN_SCRATCH) ? ScratchPlace(find) : -1;
  int32_t replacementAt = (control & CONTROL_REPLACEMENT_IN_SCRATCH) ? ScratchPlace(replacement) : -1;
  int32_t pos = (control & CONTROL_RESULT_OVER_ARGUMENTS) ? base : ScratchPos;

  const char *sourceText = sourceAt >= 0 ? ScratchAt(sourceAt) : source.c_str();
  const char *findText = findAt >= 0 ? ScratchAt(findAt) : find.c_str();
  if ((control & CONTROL_FIND_IS_SOURCE_TAIL) && sourceAt >= 0) {
    findText = ScratchAt(sourceAt) + (source.size() - find.size());
  }
  if (control & CONTROL_NULL_FIND) {
    findText = nullptr;
  }
  const char *replacementText = replacementAt >= 0 ? ScratchAt(replacementAt) : replacement.c_str();

  StrReplace(sourceText, findText, replacementText, pos);
  FUZZ_CHECK(ScratchPos == pos + static_cast<int32_t>(expected.size()));
  FUZZ_CHECK(std::memcmp(ScratchAt(pos), expected.data(), expected.size()) == 0);
  FUZZ_CHECK(*ScratchAt(ScratchPos) == 0);
  FUZZ_CHECK(std::memcmp(ScratchAt(0), "keep", 4) == 0);
  ScratchSetPos(0);
  return 0;
}
