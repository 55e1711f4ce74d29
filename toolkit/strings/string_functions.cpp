#include "toolkit/strings/string_functions.h"

#include <cstdlib>
#include <cstring>

#include "toolkit/strings/string_engine.h"

namespace {

// An argument that lies in the scratch buffer is read from a private copy:
// the result's reservation may move the buffer or overwrite the argument.
struct TextArgument {
  const char *text;
  char *copy;
};

TextArgument TextArgumentTake(const char *text) {
  if (!text) {
    return {"", nullptr};
  }
  if (!ScratchContains(text)) {
    return {text, nullptr};
  }
  size_t size = std::strlen(text) + 1;
  char *copy = static_cast<char *>(std::malloc(size));
  if (!copy) {
    StringStorageExhausted();
  }
  std::memcpy(copy, text, size);
  return {copy, copy};
}

// Non-overlapping matches from left to right: the next match at or after
// cursor, or null. A rest shorter than the find text never matches.
const char *MatchNext(const char *cursor, const char *end, const char *find, size_t findLength) {
  while (static_cast<size_t>(end - cursor) >= findLength) {
    const char *candidate = static_cast<const char *>(std::memchr(cursor, find[0], end - cursor));
    if (!candidate || static_cast<size_t>(end - candidate) < findLength) {
      return nullptr;
    }
    if (std::memcmp(candidate + 1, find + 1, findLength - 1) == 0) {
      return candidate;
    }
    cursor = candidate + 1;
  }
  return nullptr;
}

const int32_t INT32_TEXT_RESERVE = 32;
const int32_t INT64_TEXT_RESERVE = 64;

} // namespace

void StrReplace(const char *source, const char *find, const char *replacement, int32_t pos) {
  TextArgument sourceArgument = TextArgumentTake(source);
  TextArgument findArgument = TextArgumentTake(find);
  TextArgument replacementArgument = TextArgumentTake(replacement);
  const char *text = sourceArgument.text;
  size_t textLength = std::strlen(text);
  const char *end = text + textLength;
  size_t findLength = std::strlen(findArgument.text);
  size_t replacementLength = std::strlen(replacementArgument.text);

  int64_t count = 0;
  if (findLength == 1) {
    // One-byte separators, the common case, in loops the compiler vectorises.
    for (const char *cursor = text; cursor < end; cursor++) {
      count += *cursor == findArgument.text[0];
    }
  } else if (findLength > 0) {
    for (const char *match = MatchNext(text, end, findArgument.text, findLength); match;
         match = MatchNext(match + findLength, end, findArgument.text, findLength)) {
      count++;
    }
  }
  int64_t resultLength = static_cast<int64_t>(textLength) +
                         count * (static_cast<int64_t>(replacementLength) - static_cast<int64_t>(findLength));
  if (resultLength > INT32_MAX) {
    StringStorageExhausted();
  }
  char *destination = ScratchReserve(static_cast<int32_t>(resultLength), pos);
  if (count == 0) {
    std::memcpy(destination, text, textLength + 1);
  } else if (findLength == 1 && replacementLength == 1) {
    char separator = findArgument.text[0];
    char substitute = replacementArgument.text[0];
    for (size_t index = 0; index < textLength; index++) {
      destination[index] = text[index] == separator ? substitute : text[index];
    }
    destination[textLength] = 0;
  } else {
    const char *cursor = text;
    for (const char *match = MatchNext(cursor, end, findArgument.text, findLength); match;
         match = MatchNext(cursor, end, findArgument.text, findLength)) {
      std::memcpy(destination, cursor, static_cast<size_t>(match - cursor));
      destination += match - cursor;
      std::memcpy(destination, replacementArgument.text, replacementLength);
      destination += replacementLength;
      cursor = match + findLength;
    }
    std::memcpy(destination, cursor, static_cast<size_t>(end - cursor));
    destination[end - cursor] = 0;
  }
  std::free(sourceArgument.copy);
  std::free(findArgument.copy);
  std::free(replacementArgument.copy);
}

// The decimal text of the value in a reservation of the given size, which is
// then cut back to the text and its NUL. The magnitude is taken unsigned, so
// the most negative value needs no case of its own.
static void StrFromIntReserved(int64_t value, int32_t reserve, int32_t pos) {
  char *destination = ScratchReserve(reserve, pos);
  char *digits = destination;
  uint64_t magnitude = static_cast<uint64_t>(value);
  if (value < 0) {
    *digits++ = '-';
    magnitude = 0 - magnitude;
  }
  UInt64ToDecimal(digits, magnitude);
  ScratchRelease(reserve - static_cast<int32_t>(std::strlen(destination)));
}

void StrFromInt(int64_t value, int32_t pos) {
  bool fits32 = value >= INT32_MIN && value <= INT32_MAX;
  StrFromIntReserved(value, fits32 ? INT32_TEXT_RESERVE : INT64_TEXT_RESERVE, pos);
}

void StrFromInt32(int32_t value, int32_t pos) {
  StrFromIntReserved(value, INT32_TEXT_RESERVE, pos);
}

char *UInt64ToDecimal(char *destination, uint64_t value) {
  char reversed[20];
  int32_t count = 0;
  do {
    reversed[count++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  char *write = destination;
  while (count > 0) {
    *write++ = reversed[--count];
  }
  *write = 0;
  return destination;
}
