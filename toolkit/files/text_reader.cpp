#include "toolkit/files/text_reader.h"

#include <algorithm>
#include <windows.h>

#include "toolkit/files/file_bytes.h"

static const int32_t WIDE_LINE_STEP = 4096;
static const char16_t WIDE_REPLACEMENT = 0xFFFD;

// Gives back the last count bytes delivered: in the buffer when it still
// holds them, otherwise by moving the file position back over them and over
// what the buffer held unread, which is then read again.
static void FileGiveBack(FileRecord *file, int32_t count) {
  if (file->buffer && file->fillCount - file->unreadCount >= count) {
    file->unreadCount += count;
    return;
  }
  LONG high = -1;
  SetFilePointer(file->handle, -(count + (file->buffer ? file->unreadCount : 0)), &high, FILE_CURRENT);
  file->unreadCount = 0;
  file->fillCount = 0;
}

FileText FileMarkRead(ObjectId number) {
  FileRecord *file = static_cast<FileRecord *>(RegistryLookup(FileRegistry, number));
  if (!file) {
    return FILE_TEXT_BYTES;
  }
  static const struct {
    unsigned char bytes[3];
    int32_t length;
    FileText text;
  } MARKS[] = {
      {{0xEF, 0xBB, 0xBF}, 3, FILE_TEXT_UTF8},
      {{0xFF, 0xFE}, 2, FILE_TEXT_UTF16_LE},
      {{0xFE, 0xFF}, 2, FILE_TEXT_UTF16_BE},
  };
  unsigned char start[3];
  int32_t read = 0;
  while (read < 3 && FileByteRead(file, &start[read])) {
    read++;
  }
  for (const auto &mark : MARKS) {
    if (read >= mark.length && std::equal(mark.bytes, mark.bytes + mark.length, start)) {
      if (read > mark.length) {
        FileGiveBack(file, read - mark.length);
      }
      return mark.text;
    }
  }
  if (read > 0) {
    FileGiveBack(file, read);
  }
  return FILE_TEXT_BYTES;
}

static bool WideLineEnd(char16_t unit) {
  return unit == u'\r' || unit == u'\n' || unit == 0;
}

static char16_t WideUnit(const unsigned char *bytes, FileText text) {
  return text == FILE_TEXT_UTF16_BE ? static_cast<char16_t>(bytes[0] << 8 | bytes[1])
                                    : static_cast<char16_t>(bytes[1] << 8 | bytes[0]);
}

// The units waiting whole in the buffer, up to the first line end and at
// most room of them, as if they had been read one by one.
static void WideCopyRun(FileRecord *file, FileText text, WideText *line) {
  if (!file->buffer) {
    return;
  }
  const unsigned char *next = file->buffer + (file->fillCount - file->unreadCount);
  int32_t room = line->capacity - line->length;
  int32_t limit = file->unreadCount / 2 < room ? file->unreadCount / 2 : room;
  char16_t *units = line->units + line->length;
  int32_t count = 0;
  for (; count < limit; count++) {
    char16_t unit = WideUnit(next + 2 * count, text);
    if (WideLineEnd(unit)) {
      break;
    }
    units[count] = unit;
  }
  line->length += count;
  file->unreadCount -= 2 * count;
}

// The next unit, -1 at the end of the file; an odd last byte is U+FFFD and
// *bytes says how many bytes were taken.
static int32_t WideNextUnit(FileRecord *file, FileText text, int32_t *bytes) {
  unsigned char pair[2];
  *bytes = 0;
  if (!FileByteRead(file, &pair[0])) {
    return -1;
  }
  *bytes = 1;
  if (!FileByteRead(file, &pair[1])) {
    return WIDE_REPLACEMENT;
  }
  *bytes = 2;
  return WideUnit(pair, text);
}

void FileReadLineWide(ObjectId number, FileText text, WideText *line) {
  FileRecord *file = static_cast<FileRecord *>(RegistryLookup(FileRegistry, number));
  line->length = 0;
  WideTextReserve(line, WIDE_LINE_STEP);
  while (file) {
    WideCopyRun(file, text, line);
    if (line->length == line->capacity) {
      WideTextReserve(line, line->capacity + WIDE_LINE_STEP);
      continue;
    }
    int32_t bytes;
    int32_t unit = WideNextUnit(file, text, &bytes);
    if (unit == u'\r') {
      int32_t after = WideNextUnit(file, text, &bytes);
      if (after != u'\n' && bytes > 0) {
        FileGiveBack(file, bytes);
      }
      break;
    }
    if (unit < 0 || WideLineEnd(static_cast<char16_t>(unit))) {
      break;
    }
    line->units[line->length++] = static_cast<char16_t>(unit);
    // An odd last byte ends the file, and with it the line.
    if (bytes == 1) {
      break;
    }
  }
  line->units[line->length] = 0;
}
