#include "toolkit/files/file_path.h"

#include <cwchar>

#include "toolkit/core/program_heap.h"

static const wchar_t LONG_PREFIX[] = L"\\\\?\\";
static const wchar_t LONG_NETWORK_PREFIX[] = L"\\\\?\\UNC\\";
// Room for the longest prefix in front of the full path.
static const DWORD LONG_PREFIX_ROOM = sizeof LONG_NETWORK_PREFIX / sizeof(wchar_t) - 1;

// Where the prefix goes in front of a full path, and which prefix; null for
// a path that already is a device path, or is neither a drive nor a network
// path.
static const wchar_t *LongPrefixFor(const wchar_t *full, const wchar_t **rest) {
  *rest = full;
  if (full[0] == L'\\' && full[1] == L'\\') {
    if ((full[2] == L'?' || full[2] == L'.') && full[3] == L'\\') {
      return nullptr;
    }
    *rest = full + 2;
    return LONG_NETWORK_PREFIX;
  }
  return full[0] != L'\0' && full[1] == L':' && full[2] == L'\\' ? LONG_PREFIX : nullptr;
}

wchar_t *FilePathLongForm(const wchar_t *path) {
  // The size counts the NUL.
  DWORD size = GetFullPathNameW(path, 0, nullptr, nullptr);
  if (size <= MAX_PATH || size > FILE_PATH_CAPACITY) {
    return nullptr;
  }
  wchar_t *block = static_cast<wchar_t *>(HeapAlloc(ProgramHeap, 0, (size + LONG_PREFIX_ROOM) * sizeof(wchar_t)));
  if (!block) {
    return nullptr;
  }
  wchar_t *full = block + LONG_PREFIX_ROOM;
  DWORD length = GetFullPathNameW(path, size, full, nullptr);
  const wchar_t *rest = full;
  const wchar_t *prefix = length > 0 && length < size ? LongPrefixFor(full, &rest) : nullptr;
  if (!prefix) {
    HeapFree(ProgramHeap, 0, block);
    return nullptr;
  }
  size_t prefixLength = wcslen(prefix);
  size_t restLength = length - static_cast<size_t>(rest - full);
  wmemmove(block + prefixLength, rest, restLength + 1);
  wmemcpy(block, prefix, prefixLength);
  return block;
}
