#include <gtest/gtest.h>

#include <string>
#include <windows.h>

#include "tests/support/temp_files.h"

namespace {

HANDLE Open(const char *path, DWORD access, DWORD share, DWORD disposition) {
  return CreateFileA(path, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

const DWORD READ = GENERIC_READ;
const DWORD WRITE = GENERIC_WRITE;
const DWORD BOTH = GENERIC_READ | GENERIC_WRITE;

TEST(HostFiles, ShareModesBetweenHandles) {
  struct Case {
    DWORD firstAccess, firstShare, secondAccess, secondShare;
    bool opens;
  };
  const Case cases[] = {
      {BOTH, FILE_SHARE_READ, BOTH, FILE_SHARE_READ, false},
      {BOTH, FILE_SHARE_READ, READ, FILE_SHARE_READ | FILE_SHARE_WRITE, true},
      {READ, FILE_SHARE_READ, READ, FILE_SHARE_READ, true},
      {READ, FILE_SHARE_READ, WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, false},
      {READ, FILE_SHARE_READ | FILE_SHARE_WRITE, WRITE, FILE_SHARE_WRITE, false},
      {READ, FILE_SHARE_READ | FILE_SHARE_WRITE, WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, true},
      {READ, 0, READ, FILE_SHARE_READ | FILE_SHARE_WRITE, false},
  };
  TempFile file(".csv", "data");
  for (const Case &c : cases) {
    HANDLE first = Open(file.path(), c.firstAccess, c.firstShare, OPEN_EXISTING);
    ASSERT_NE(first, INVALID_HANDLE_VALUE);
    HANDLE second = Open(file.path(), c.secondAccess, c.secondShare, OPEN_EXISTING);
    EXPECT_EQ(second != INVALID_HANDLE_VALUE, c.opens)
        << c.firstAccess << "/" << c.firstShare << " then " << c.secondAccess << "/" << c.secondShare;
    if (second != INVALID_HANDLE_VALUE) {
      CloseHandle(second);
    } else {
      EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    }
    EXPECT_TRUE(CloseHandle(first));
  }
  // The refused open of a file for replacing does not empty it.
  HANDLE reader = Open(file.path(), READ, FILE_SHARE_READ, OPEN_EXISTING);
  EXPECT_EQ(Open(file.path(), WRITE, FILE_SHARE_READ, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
  CloseHandle(reader);
  EXPECT_EQ(file.Read(), "data");
}

TEST(HostFiles, DispositionsAndRefusals) {
  TempFile file(".csv", "old contents");
  HANDLE handle = Open(file.path(), WRITE, 0, CREATE_ALWAYS);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  CloseHandle(handle);
  EXPECT_EQ(file.Read(), "");

  TempFile missing(".csv");
  EXPECT_EQ(Open(missing.path(), READ, FILE_SHARE_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(Open(TempMissingDirectoryPath().c_str(), BOTH, FILE_SHARE_READ, OPEN_ALWAYS), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  handle = Open(missing.path(), BOTH, FILE_SHARE_READ, OPEN_ALWAYS);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  CloseHandle(handle);
  EXPECT_NE(handle = Open(missing.path(), BOTH, FILE_SHARE_READ, OPEN_ALWAYS), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  CloseHandle(handle);

  // No write permission bits: read-only, also for root.
  file.MakeReadOnly();
  EXPECT_EQ(Open(file.path(), BOTH, FILE_SHARE_READ, OPEN_ALWAYS), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  handle = Open(file.path(), READ, FILE_SHARE_READ, OPEN_EXISTING);
  EXPECT_NE(handle, INVALID_HANDLE_VALUE);
  CloseHandle(handle);

  EXPECT_EQ(Open("/tmp", READ, FILE_SHARE_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
  EXPECT_FALSE(CloseHandle(handle));
  EXPECT_FALSE(CloseHandle(nullptr));
  EXPECT_FALSE(CloseHandle(INVALID_HANDLE_VALUE));
}

// Wide names reach the file system as UTF-8: one, two, three and four bytes.
TEST(HostFiles, WideNamesAreUtf8) {
  TempFile file("-a\xC3\xA4\xC4\x81\xE2\x82\xAC\xF0\x9F\x98\x80.csv", "x");
  std::string path = file.path();
  std::wstring wide(path.begin(), path.end() - 17);
  wide += L"-a\u00e4\u0101\u20ac\U0001F600.csv";
  HANDLE handle = CreateFileW(wide.c_str(), READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(handle, INVALID_HANDLE_VALUE);
  CloseHandle(handle);
  EXPECT_EQ(CreateFileW(nullptr, READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
}

TEST(HostFiles, ReadingAndFilePointer) {
  TempFile file(".csv", "0123456789");
  HANDLE handle = Open(file.path(), READ, FILE_SHARE_READ, OPEN_EXISTING);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  EXPECT_NE(handle, nullptr);
  char buffer[16] = {};
  DWORD count = 99;
  EXPECT_TRUE(ReadFile(handle, buffer, 4, &count, nullptr));
  EXPECT_EQ(count, 4u);
  EXPECT_EQ(SetFilePointer(handle, -1, nullptr, FILE_CURRENT), 3u);
  EXPECT_TRUE(ReadFile(handle, buffer, 16, &count, nullptr));
  EXPECT_EQ(std::string(buffer, count), "3456789");
  EXPECT_TRUE(ReadFile(handle, buffer, 16, &count, nullptr));
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(SetFilePointer(handle, -2, nullptr, FILE_END), 8u);
  EXPECT_EQ(SetFilePointer(handle, 1, nullptr, FILE_BEGIN), 1u);
  EXPECT_EQ(SetFilePointer(handle, -5, nullptr, FILE_BEGIN), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NEGATIVE_SEEK));
  LONG high = 0;
  EXPECT_EQ(SetFilePointer(handle, 2, &high, FILE_BEGIN), 2u);
  EXPECT_EQ(high, 0);
  EXPECT_TRUE(CloseHandle(handle));
  EXPECT_FALSE(ReadFile(handle, buffer, 1, &count, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

  HANDLE writer = Open(file.path(), WRITE, FILE_SHARE_READ, OPEN_EXISTING);
  EXPECT_FALSE(ReadFile(writer, buffer, 1, &count, nullptr));
  CloseHandle(writer);
}

// What Windows refuses, refused the same way, and the position left where it
// was: before the start, a bad method, and past 4 GiB without a high part.
TEST(HostFiles, RefusedSeeksLeaveThePosition) {
  struct Case {
    int64_t start;
    LONG distance;
    bool withHigh;
    LONG high;
    DWORD method;
    DWORD error;
  };
  const int64_t GIB3 = int64_t{3} << 30;
  const Case cases[] = {
      {3, -20, false, 0, FILE_END, ERROR_NEGATIVE_SEEK},
      {3, -20, true, -1, FILE_END, ERROR_NEGATIVE_SEEK},
      {3, -4, false, 0, FILE_CURRENT, ERROR_NEGATIVE_SEEK},
      {3, 0, false, 0, FILE_END + 1, ERROR_INVALID_PARAMETER},
      {GIB3, INT32_MAX, false, 0, FILE_CURRENT, ERROR_INVALID_PARAMETER},
  };
  TempFile file(".csv", "0123456789");
  HANDLE handle = Open(file.path(), READ, FILE_SHARE_READ, OPEN_EXISTING);
  auto position = [&]() {
    LONG high = 0;
    DWORD low = SetFilePointer(handle, 0, &high, FILE_CURRENT);
    return static_cast<int64_t>((static_cast<uint64_t>(static_cast<uint32_t>(high)) << 32) | low);
  };
  for (const Case &c : cases) {
    LONG startHigh = static_cast<LONG>(c.start >> 32);
    SetFilePointer(handle, static_cast<LONG>(c.start & 0xFFFFFFFF), &startHigh, FILE_BEGIN);
    LONG high = c.high;
    EXPECT_EQ(SetFilePointer(handle, c.distance, c.withHigh ? &high : nullptr, c.method), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(GetLastError(), c.error) << c.start << " " << c.distance;
    EXPECT_EQ(position(), c.start) << c.start << " " << c.distance;
  }
  // With a high part the same move is allowed.
  LONG high = 0;
  EXPECT_EQ(SetFilePointer(handle, INT32_MAX, &high, FILE_CURRENT), static_cast<DWORD>(GIB3 + INT32_MAX));
  EXPECT_EQ(high, 1);
  CloseHandle(handle);
}

} // namespace
