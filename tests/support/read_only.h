// Read-only files in tests. Under Wine run as root the read-only attribute
// does not stop a write open, so the read-only cases skip there, except in
// the runs made without root's file capabilities, which set
// CSVVIEW_EXPECT_READ_ONLY and must see the attribute enforced.
#pragma once
#include <cstdlib>

#include <gtest/gtest.h>
#include <windows.h>

inline bool ReadOnlyWriteOpenRefused(const char *path) {
  HANDLE probe = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
  if (probe == INVALID_HANDLE_VALUE)
    return true;
  CloseHandle(probe);
  return false;
}

#define SKIP_UNLESS_READ_ONLY_ENFORCED(path)                                                                           \
  do {                                                                                                                 \
    if (!ReadOnlyWriteOpenRefused(path)) {                                                                             \
      if (std::getenv("CSVVIEW_EXPECT_READ_ONLY") != nullptr)                                                          \
        FAIL() << "a read-only file could be opened for writing";                                                      \
      GTEST_SKIP() << "this user may write to read-only files (Wine as root ignores the read-only attribute)";         \
    }                                                                                                                  \
  } while (0)
