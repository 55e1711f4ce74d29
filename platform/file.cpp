// Files over POSIX descriptors with the Windows rules the core relies on:
// share modes hold between the handles of this process (the same file is the
// same device and inode), and a file without write permission bits counts as
// read-only even for root, whose open(2) ignores permission bits.
#include <windows.h>

#include <cerrno>
#include <fcntl.h>
#include <cwchar>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

struct OpenFile {
  int descriptor; // -1: entry free
  dev_t device;
  ino_t inode;
  DWORD access;
  DWORD shareMode;
};

// Handles are small multiples of 4 as on Windows, index + 1 times 4, so that
// a handle is never 0 and never INVALID_HANDLE_VALUE.
std::vector<OpenFile> openFiles;

OpenFile *OpenFileOf(HANDLE handle) {
  UINT_PTR value = reinterpret_cast<UINT_PTR>(handle);
  if (value == 0 || value % 4 != 0 || value / 4 > openFiles.size()) {
    return nullptr;
  }
  OpenFile *file = &openFiles[value / 4 - 1];
  return file->descriptor >= 0 ? file : nullptr;
}

HANDLE HandleAdd(const OpenFile &file) {
  size_t index = 0;
  while (index < openFiles.size() && openFiles[index].descriptor >= 0) {
    index++;
  }
  if (index == openFiles.size()) {
    openFiles.push_back(file);
  } else {
    openFiles[index] = file;
  }
  return reinterpret_cast<HANDLE>(static_cast<UINT_PTR>((index + 1) * 4));
}

// Two opens of one file conflict when either asks for an access that the
// other does not share.
bool ShareConflicts(const OpenFile &open, DWORD access, DWORD shareMode) {
  auto refuses = [](DWORD wanted, DWORD shared) {
    return ((wanted & GENERIC_READ) && !(shared & FILE_SHARE_READ)) ||
           ((wanted & GENERIC_WRITE) && !(shared & FILE_SHARE_WRITE));
  };
  return refuses(access, open.shareMode) || refuses(open.access, shareMode);
}

bool SharingViolation(const struct stat &status, DWORD access, DWORD shareMode) {
  for (const OpenFile &open : openFiles) {
    if (open.descriptor >= 0 && open.device == status.st_dev && open.inode == status.st_ino &&
        ShareConflicts(open, access, shareMode)) {
      return true;
    }
  }
  return false;
}

DWORD ErrorFromErrno(int error) {
  switch (error) {
  case ENOENT:
    return ERROR_FILE_NOT_FOUND;
  case ENOTDIR:
  case ENAMETOOLONG:
    return ERROR_PATH_NOT_FOUND;
  case EMFILE:
  case ENFILE:
    return ERROR_TOO_MANY_OPEN_FILES;
  case ENOMEM:
    return ERROR_NOT_ENOUGH_MEMORY;
  default:
    return ERROR_ACCESS_DENIED;
  }
}

// A missing file whose directory is missing too is a missing path.
DWORD MissingFileError(const char *path) {
  struct stat status;
  std::string_view text(path);
  size_t slash = text.find_last_of('/');
  if (slash == std::string_view::npos || slash == 0) {
    return ERROR_FILE_NOT_FOUND;
  }
  std::string directory(text.substr(0, slash));
  return stat(directory.c_str(), &status) == 0 ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

// The base of a move, read without moving: a refused move leaves the file
// position where it was, as on Windows.
bool SeekBase(const OpenFile &file, DWORD moveMethod, int64_t *base) {
  if (moveMethod == FILE_BEGIN) {
    *base = 0;
    return true;
  }
  if (moveMethod == FILE_CURRENT) {
    off_t position = lseek(file.descriptor, 0, SEEK_CUR);
    *base = position;
    return position >= 0;
  }
  struct stat status;
  if (fstat(file.descriptor, &status) != 0) {
    return false;
  }
  *base = status.st_size;
  return true;
}

thread_local DWORD lastError = ERROR_SUCCESS;

} // namespace

HANDLE WINAPI CreateFileA(LPCSTR path, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES, DWORD disposition, DWORD,
                          HANDLE) {
  if (!path || !*path || (disposition != CREATE_ALWAYS && disposition != OPEN_EXISTING && disposition != OPEN_ALWAYS)) {
    SetLastError(!path || !*path ? ERROR_PATH_NOT_FOUND : ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  struct stat status;
  bool existed = stat(path, &status) == 0;
  if (existed) {
    if (S_ISDIR(status.st_mode) ||
        ((access & GENERIC_WRITE) && (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)) {
      SetLastError(ERROR_ACCESS_DENIED);
      return INVALID_HANDLE_VALUE;
    }
    if (SharingViolation(status, access, shareMode)) {
      SetLastError(ERROR_SHARING_VIOLATION);
      return INVALID_HANDLE_VALUE;
    }
  } else if (disposition == OPEN_EXISTING) {
    SetLastError(MissingFileError(path));
    return INVALID_HANDLE_VALUE;
  }

  int flags = O_CLOEXEC;
  if ((access & GENERIC_READ) && (access & GENERIC_WRITE)) {
    flags |= O_RDWR;
  } else if (access & GENERIC_WRITE) {
    flags |= O_WRONLY;
  } else {
    flags |= O_RDONLY;
  }
  if (disposition != OPEN_EXISTING) {
    flags |= O_CREAT;
  }
  if (disposition == CREATE_ALWAYS) {
    flags |= O_TRUNC;
  }
  int descriptor;
  do {
    descriptor = open(path, flags, 0666);
  } while (descriptor < 0 && errno == EINTR);
  if (descriptor < 0) {
    SetLastError(errno == ENOENT ? MissingFileError(path) : ErrorFromErrno(errno));
    return INVALID_HANDLE_VALUE;
  }
  if (fstat(descriptor, &status) != 0) {
    SetLastError(ErrorFromErrno(errno));
    close(descriptor);
    return INVALID_HANDLE_VALUE;
  }
  HANDLE handle = HandleAdd(OpenFile{descriptor, status.st_dev, status.st_ino, access, shareMode});
  SetLastError(existed && disposition != OPEN_EXISTING ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return handle;
}

// The file system takes names as UTF-8 bytes.
static std::string Utf8FromWide(LPCWSTR text) {
  std::string bytes;
  for (; *text; ++text) {
    uint32_t code = static_cast<uint32_t>(*text);
    if (code < 0x80) {
      bytes += static_cast<char>(code);
    } else if (code < 0x800) {
      bytes += static_cast<char>(0xC0 | (code >> 6));
      bytes += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      bytes += static_cast<char>(0xE0 | (code >> 12));
      bytes += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      bytes += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      bytes += static_cast<char>(0xF0 | (code >> 18));
      bytes += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      bytes += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      bytes += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return bytes;
}

HANDLE WINAPI CreateFileW(LPCWSTR path, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES security,
                          DWORD disposition, DWORD attributes, HANDLE templateFile) {
  std::string bytes = path ? Utf8FromWide(path) : std::string();
  return CreateFileA(path ? bytes.c_str() : nullptr, access, shareMode, security, disposition, attributes,
                     templateFile);
}

// A host path is taken as full as it stands: the host names no drives.
DWORD WINAPI GetFullPathNameW(LPCWSTR path, DWORD size, LPWSTR buffer, LPWSTR *filePart) {
  DWORD length = static_cast<DWORD>(std::wcslen(path));
  if (filePart) {
    *filePart = nullptr;
  }
  if (length >= size) {
    return length + 1;
  }
  std::wmemcpy(buffer, path, length + 1);
  return length;
}

BOOL WINAPI ReadFile(HANDLE handle, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead, LPOVERLAPPED) {
  if (bytesRead) {
    *bytesRead = 0;
  }
  OpenFile *file = OpenFileOf(handle);
  if (!file) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!(file->access & GENERIC_READ)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  DWORD total = 0;
  char *destination = static_cast<char *>(buffer);
  while (total < bytesToRead) {
    ssize_t count = read(file->descriptor, destination + total, bytesToRead - total);
    if (count < 0 && errno == EINTR) {
      continue;
    }
    if (count < 0) {
      SetLastError(ErrorFromErrno(errno));
      return FALSE;
    }
    if (count == 0) {
      break;
    }
    total += static_cast<DWORD>(count);
  }
  if (bytesRead) {
    *bytesRead = total;
  }
  return TRUE;
}

DWORD WINAPI SetFilePointer(HANDLE handle, LONG distance, PLONG distanceHigh, DWORD moveMethod) {
  OpenFile *file = OpenFileOf(handle);
  if (!file) {
    SetLastError(ERROR_INVALID_HANDLE);
    return INVALID_SET_FILE_POINTER;
  }
  // Without a high part the distance is a signed 32-bit value.
  int64_t move = distanceHigh
                     ? static_cast<int64_t>((static_cast<uint64_t>(static_cast<uint32_t>(*distanceHigh)) << 32) |
                                            static_cast<uint32_t>(distance))
                     : static_cast<int64_t>(distance);
  int64_t base = 0;
  if (moveMethod > FILE_END || !SeekBase(*file, moveMethod, &base)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_SET_FILE_POINTER;
  }
  if (move < 0 && base + move < 0) {
    SetLastError(ERROR_NEGATIVE_SEEK);
    return INVALID_SET_FILE_POINTER;
  }
  // A caller without a high part could not be told a position past 4 GiB.
  if (!distanceHigh && base + move > static_cast<int64_t>(UINT32_MAX)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_SET_FILE_POINTER;
  }
  off_t position = lseek(file->descriptor, static_cast<off_t>(base + move), SEEK_SET);
  if (position < 0) {
    SetLastError(ErrorFromErrno(errno));
    return INVALID_SET_FILE_POINTER;
  }
  if (distanceHigh) {
    *distanceHigh = static_cast<LONG>(static_cast<uint64_t>(position) >> 32);
  }
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(static_cast<uint64_t>(position));
}

BOOL WINAPI CloseHandle(HANDLE handle) {
  OpenFile *file = OpenFileOf(handle);
  if (!file) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  close(file->descriptor);
  file->descriptor = -1;
  return TRUE;
}

DWORD WINAPI GetLastError() {
  return lastError;
}

void WINAPI SetLastError(DWORD error) {
  lastError = error;
}
