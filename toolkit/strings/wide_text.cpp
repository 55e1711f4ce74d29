#include "toolkit/strings/wide_text.h"

#include <cstring>
#include <windows.h>

#include "toolkit/strings/string_engine.h"

// Room grows by half again at least, so a long line costs few moves.
void WideTextReserve(WideText *text, int32_t capacity) {
  if (text->units && capacity <= text->capacity) {
    return;
  }
  int64_t grown = static_cast<int64_t>(text->capacity) + text->capacity / 2;
  int64_t units = capacity > grown ? capacity : grown;
  if (units < 64) {
    units = 64;
  }
  if (units >= INT32_MAX / static_cast<int64_t>(sizeof(char16_t))) {
    StringStorageExhausted();
  }
  SIZE_T size = static_cast<SIZE_T>(units + 1) * sizeof(char16_t);
  void *block = text->units ? HeapReAlloc(StringHeap, HEAP_NO_SERIALIZE, text->units, size)
                            : HeapAlloc(StringHeap, HEAP_NO_SERIALIZE, size);
  if (!block) {
    StringStorageExhausted();
  }
  text->units = static_cast<char16_t *>(block);
  text->capacity = static_cast<int32_t>(units);
  text->units[text->length] = 0;
}

void WideTextFree(WideText *text) {
  if (text->units) {
    HeapFree(StringHeap, HEAP_NO_SERIALIZE, text->units);
  }
  *text = WideText();
}

// Bytes 0x80 to 0x9F; the rest of the code page is Latin-1. The five bytes
// it leaves unassigned stand for the control characters of their number, as
// the system's conversion has them.
static const char16_t CP1252_HIGH_CONTROLS[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void WideFromCp1252(const char *text, WideText *wide) {
  int32_t length = text ? static_cast<int32_t>(std::strlen(text)) : 0;
  WideTextReserve(wide, length);
  for (int32_t i = 0; i < length; i++) {
    unsigned char byte = static_cast<unsigned char>(text[i]);
    wide->units[i] = byte >= 0x80 && byte < 0xA0 ? CP1252_HIGH_CONTROLS[byte - 0x80] : byte;
  }
  wide->length = length;
  wide->units[length] = 0;
}

int32_t Cp1252FromWide(char16_t unit) {
  if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
    return unit;
  }
  for (int32_t i = 0; i < 32; i++) {
    if (CP1252_HIGH_CONTROLS[i] == unit) {
      return 0x80 + i;
    }
  }
  return -1;
}

void WideReplaceByLineFeed(const WideText *source, const WideText *find, WideText *row) {
  // A match is at least one unit long, so the row is never longer.
  WideTextReserve(row, source->length);
  const char16_t *from = source->units;
  int32_t f = find->length;
  int32_t length = 0;
  for (int32_t i = 0; i < source->length;) {
    if (f > 0 && from[i] == find->units[0] && source->length - i >= f &&
        std::memcmp(from + i, find->units, static_cast<size_t>(f) * sizeof(char16_t)) == 0) {
      row->units[length++] = u'\n';
      i += f;
    } else {
      row->units[length++] = from[i++];
    }
  }
  row->length = length;
  row->units[length] = 0;
}

// Where the first byte above 0x7F is, eight bytes at a time: most lines of
// most files are plain ASCII and go no further.
static int32_t Utf8FirstHigh(const unsigned char *bytes, int32_t length) {
  const uint64_t HIGH_BITS = 0x8080808080808080;
  int32_t i = 0;
  for (; length - i >= 8; i += 8) {
    uint64_t word;
    std::memcpy(&word, bytes + i, sizeof word);
    if (word & HIGH_BITS) {
      break;
    }
  }
  while (i < length && bytes[i] < 0x80) {
    i++;
  }
  return i;
}

// One sequence from its lead byte at bytes[*at]: the code point, or -1 when
// it is not valid UTF-8 (RFC 3629's table of well-formed sequences).
static int32_t Utf8Next(const unsigned char *bytes, int32_t length, int32_t *at) {
  unsigned char lead = bytes[*at];
  int32_t follow;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  int32_t point;
  if (lead >= 0xC2 && lead <= 0xDF) {
    follow = 1;
    point = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    follow = 2;
    point = lead & 0x0F;
    low = lead == 0xE0 ? 0xA0 : 0x80;  // no overlong form
    high = lead == 0xED ? 0x9F : 0xBF; // no surrogate
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    follow = 3;
    point = lead & 0x07;
    low = lead == 0xF0 ? 0x90 : 0x80;  // no overlong form
    high = lead == 0xF4 ? 0x8F : 0xBF; // nothing above U+10FFFF
  } else {
    return -1;
  }
  if (length - *at <= follow) {
    return -1;
  }
  for (int32_t k = 1; k <= follow; k++) {
    unsigned char next = bytes[*at + k];
    if (next < low || next > high) {
      return -1;
    }
    point = point << 6 | (next & 0x3F);
    low = 0x80;
    high = 0xBF;
  }
  *at += follow + 1;
  return point;
}

bool WideFromUtf8Line(const char *text, int32_t length, WideText *wide) {
  const unsigned char *bytes = reinterpret_cast<const unsigned char *>(text);
  int32_t at = Utf8FirstHigh(bytes, length);
  if (at == length) {
    return false;
  }
  // A character takes no more units than bytes.
  WideTextReserve(wide, length);
  char16_t *units = wide->units;
  int32_t count = 0;
  for (; count < at; count++) {
    units[count] = bytes[count];
  }
  while (at < length) {
    if (bytes[at] < 0x80) {
      units[count++] = bytes[at++];
      continue;
    }
    int32_t point = Utf8Next(bytes, length, &at);
    if (point < 0) {
      return false;
    }
    if (point >= 0x10000) {
      units[count++] = static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10));
      units[count++] = static_cast<char16_t>(0xDC00 + (point & 0x3FF));
    } else {
      units[count++] = static_cast<char16_t>(point);
    }
  }
  wide->length = count;
  units[count] = 0;
  return true;
}
