// The decoding of a file's text over arbitrary bytes against a small model:
// a byte order mark names UTF-8 or UTF-16; UTF-16 lines end at the units CR,
// LF, CR LF and NUL, an odd last byte being U+FFFD; the lines of any other
// file are decoded when they hold a byte above 0x7F and are valid UTF-8,
// which the model checks code point by code point. The first input byte
// picks the buffer size and where in the scratch buffer lines are built.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/fuzz_core.h"
#include "toolkit/files/file_reader.h"
#include "toolkit/files/text_reader.h"
#include "toolkit/strings/string_engine.h"
#include "toolkit/strings/wide_text.h"

namespace {

FileText ModelMark(const uint8_t *bytes, size_t size, size_t *skip) {
  *skip = 0;
  if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
    *skip = 3;
    return FILE_TEXT_UTF8;
  }
  if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
    *skip = 2;
    return FILE_TEXT_UTF16_LE;
  }
  if (size >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) {
    *skip = 2;
    return FILE_TEXT_UTF16_BE;
  }
  return FILE_TEXT_BYTES;
}

std::vector<std::u16string> ModelWideLines(const uint8_t *bytes, size_t size, bool bigEndian) {
  std::u16string units;
  for (size_t i = 0; i + 1 < size; i += 2) {
    units += static_cast<char16_t>(bigEndian ? bytes[i] << 8 | bytes[i + 1] : bytes[i + 1] << 8 | bytes[i]);
  }
  if (size % 2) {
    units += u'\uFFFD';
  }
  std::vector<std::u16string> lines;
  size_t i = 0;
  do {
    std::u16string line;
    while (i < units.size()) {
      char16_t unit = units[i++];
      if (unit == 0 || unit == u'\n') {
        break;
      }
      if (unit == u'\r') {
        if (i < units.size() && units[i] == u'\n') {
          i++;
        }
        break;
      }
      line += unit;
    }
    lines.push_back(line);
  } while (i < units.size());
  return lines;
}

// Code points by their bit patterns, then the ranges RFC 3629 excludes.
bool ModelUtf8(const std::string &line, std::u16string *units) {
  bool high = false;
  for (size_t i = 0; i < line.size();) {
    unsigned char lead = static_cast<unsigned char>(line[i]);
    int length = lead < 0x80 ? 1 : lead >> 5 == 6 ? 2 : lead >> 4 == 14 ? 3 : lead >> 3 == 30 ? 4 : 0;
    if (length == 0 || i + length > line.size()) {
      return false;
    }
    uint32_t point = length == 1 ? lead : lead & (0x7F >> length);
    for (int k = 1; k < length; k++) {
      unsigned char next = static_cast<unsigned char>(line[i + k]);
      if (next >> 6 != 2) {
        return false;
      }
      point = point << 6 | (next & 0x3F);
    }
    const uint32_t LOWEST[] = {0, 0, 0x80, 0x800, 0x10000};
    if (point < LOWEST[length] || (point >= 0xD800 && point < 0xE000) || point > 0x10FFFF) {
      return false;
    }
    high = high || length > 1;
    if (point >= 0x10000) {
      *units += static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10));
      *units += static_cast<char16_t>(0xDC00 + (point & 0x3FF));
    } else {
      *units += static_cast<char16_t>(point);
    }
    i += static_cast<size_t>(length);
  }
  return high;
}

bool WideEquals(const WideText &wide, const std::u16string &units) {
  return wide.length == static_cast<int32_t>(units.size()) &&
         std::memcmp(wide.units, units.data(), units.size() * sizeof(char16_t)) == 0 && wide.units[wide.length] == 0;
}

void CheckWideLines(const uint8_t *bytes, size_t size, FileText text, int32_t end) {
  std::vector<std::u16string> expected = ModelWideLines(bytes, size, text == FILE_TEXT_UTF16_BE);
  WideText line = {};
  for (size_t index = 0; index < expected.size(); index++) {
    FileReadLineWide(0, text, &line);
    FUZZ_CHECK(WideEquals(line, expected[index]));
    FUZZ_CHECK(FileAtEnd(0) == (index + 1 == expected.size() ? end : 0));
  }
  WideTextFree(&line);
}

void CheckByteLines(const uint8_t *bytes, size_t size, int32_t pos, int32_t end) {
  std::vector<std::string> expected = FuzzModelByteLines(bytes, size);
  WideText wide = {};
  for (size_t index = 0; index < expected.size(); index++) {
    FileReadLine(0, pos);
    const std::string &line = expected[index];
    FUZZ_CHECK(ScratchPos == pos + static_cast<int32_t>(line.size()));
    FUZZ_CHECK(std::memcmp(ScratchAt(pos), line.data(), line.size()) == 0);
    std::u16string units;
    bool valid = ModelUtf8(line, &units);
    FUZZ_CHECK(WideFromUtf8Line(ScratchAt(pos), static_cast<int32_t>(line.size()), &wide) == valid);
    FUZZ_CHECK(!valid || WideEquals(wide, units));
    ScratchSetPos(pos);
    FUZZ_CHECK(FileAtEnd(0) == (index + 1 == expected.size() ? end : 0));
  }
  WideTextFree(&wide);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size == 0) {
    return 0;
  }
  FuzzFile run = FuzzFileOpen("text", data, size);
  size_t skip;
  FileText expected = ModelMark(run.bytes, run.length, &skip);
  FileText text = FileMarkRead(0);
  FUZZ_CHECK(text == expected);
  if (text == FILE_TEXT_UTF16_LE || text == FILE_TEXT_UTF16_BE) {
    CheckWideLines(run.bytes + skip, run.length - skip, text, run.end);
  } else {
    CheckByteLines(run.bytes + skip, run.length - skip, run.pos, run.end);
  }
  FuzzFileClose(run);
  return 0;
}
