#include "toolkit/files/file_reader.h"

#include <cstring>

#include "toolkit/core/program_heap.h"
#include "toolkit/files/file_bytes.h"
#include "toolkit/files/file_path.h"
#include "toolkit/strings/string_engine.h"

int32_t FILE_BUFFER_SIZE = 4096;
ObjectRegistry *FileRegistry = nullptr;

namespace {

// A line is assembled in the scratch buffer in reservations of this size.
const int32_t FILE_LINE_STEP = 4096;
const int32_t FILE_REGISTRY_GROWTH = 16;

// The next byte from the buffer, refilling it when all of it was delivered.
// A failed read counts as the end of the file.
int32_t FileReadByte(FileRecord *file, unsigned char *destination) {
  if (file->unreadCount < 1) {
    DWORD count = 0;
    if (!ReadFile(file->handle, file->buffer, static_cast<DWORD>(file->bufferSize), &count, nullptr)) {
      count = 0;
    }
    file->fillCount = static_cast<int32_t>(count);
    file->unreadCount = static_cast<int32_t>(count);
    if (count == 0) {
      return 0;
    }
  }
  *destination = file->buffer[file->fillCount - file->unreadCount];
  file->unreadCount--;
  return 1;
}

// Without a buffer every byte is one read from the system.
int32_t FileReadByteDirect(FileRecord *file, unsigned char *destination) {
  unsigned char byte;
  DWORD count = 0;
  if (!ReadFile(file->handle, &byte, 1, &count, nullptr) || count != 1) {
    return 0;
  }
  *destination = byte;
  return 1;
}

int32_t FileNextByte(FileRecord *file, unsigned char *destination) {
  return file->buffer ? FileReadByte(file, destination) : FileReadByteDirect(file, destination);
}

// The byte just delivered is still in the buffer, or one byte behind the
// file position. The move passes a high part: without one the system refuses
// a position past 4 GiB, and the byte would be lost.
void FilePushBack(FileRecord *file) {
  if (file->buffer) {
    file->unreadCount++;
  } else {
    LONG high = -1;
    SetFilePointer(file->handle, -1, &high, FILE_CURRENT);
  }
}

bool LineMark(unsigned char byte) {
  return byte == '\r' || byte == '\n' || byte == 0;
}

// The first CR, LF or NUL in [next, stop), or stop. Eight bytes are tested at
// a time for one below 14, which CR, LF and NUL are: a library search per mark
// would look past the nearest end, over the whole buffer for a mark a file
// does not use, and a test of every byte is slow over a long line.
const unsigned char *LineEndFind(const unsigned char *next, const unsigned char *stop) {
  const uint64_t ONES = 0x0101010101010101;
  const uint64_t HIGH_BITS = 0x8080808080808080;
  while (next < stop) {
    if (stop - next >= 8) {
      uint64_t word;
      std::memcpy(&word, next, sizeof word);
      if (((word - 14 * ONES) & ~word & HIGH_BITS) == 0) {
        next += 8;
        continue;
      }
    }
    const unsigned char *wordEnd = stop - next > 8 ? next + 8 : stop;
    for (; next < wordEnd; next++) {
      if (LineMark(*next)) {
        return next;
      }
    }
  }
  return stop;
}

// Copies the ordinary bytes waiting in the buffer, up to the first CR, LF or
// NUL and at most room of them, as if they had been read one by one.
int32_t FileCopyRun(FileRecord *file, char *destination, int32_t room) {
  if (!file->buffer) {
    return 0;
  }
  const unsigned char *next = file->buffer + (file->fillCount - file->unreadCount);
  int32_t limit = file->unreadCount < room ? file->unreadCount : room;
  int32_t count = static_cast<int32_t>(LineEndFind(next, next + limit) - next);
  std::memcpy(destination, next, static_cast<size_t>(count));
  file->unreadCount -= count;
  return count;
}

} // namespace

// For the UTF-16 reader. The 8-bit reader calls the routine above, inside
// this file, so that it compiles as it always did.
int32_t FileByteRead(FileRecord *file, unsigned char *destination) {
  return FileNextByte(file, destination);
}

bool FileLibraryStartup() {
  FileRegistry = RegistryCreate(sizeof(FileRecord), FILE_REGISTRY_GROWTH, FileClose);
  return FileRegistry != nullptr;
}

void FileLibraryShutdown() {
  RegistryFreeAll(FileRegistry);
}

// Reading only, and never creating: a viewer must not write to the disk.
// Sharing writing as well lets it read a file that another program keeps
// open for writing while allowing others to read it.
static const DWORD FILE_OPEN_ACCESS = GENERIC_READ;
static const DWORD FILE_OPEN_SHARING = FILE_SHARE_READ | FILE_SHARE_WRITE;

// Takes a freshly opened handle into the record FileOpen allocated.
static HANDLE FileAttach(FileRecord *file, HANDLE handle) {
  if (handle == INVALID_HANDLE_VALUE || handle == nullptr) {
    return nullptr;
  }
  int32_t bufferSize = FILE_BUFFER_SIZE;
  void *buffer = bufferSize > 0 ? HeapAlloc(ProgramHeap, 0, static_cast<SIZE_T>(bufferSize)) : nullptr;
  file->handle = handle;
  file->buffer = static_cast<unsigned char *>(buffer);
  file->bufferSize = bufferSize;
  file->unreadCount = 0;
  file->fillCount = 0;
  return handle;
}

// A wide name, when given, is opened instead of the 8-bit path, by its long
// form when it needs one.
static HANDLE FileOpenEither(ObjectId number, const char *path, const wchar_t *widePath) {
  FileRecord *file = static_cast<FileRecord *>(RegistryAllocate(FileRegistry, number));
  if (!file) {
    return nullptr;
  }
  if (!widePath) {
    return FileAttach(file, CreateFileA(path ? path : "", FILE_OPEN_ACCESS, FILE_OPEN_SHARING, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
  }
  wchar_t *longForm = FilePathLongForm(widePath);
  HANDLE handle = CreateFileW(longForm ? longForm : widePath, FILE_OPEN_ACCESS, FILE_OPEN_SHARING, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (longForm) {
    HeapFree(ProgramHeap, 0, longForm);
  }
  return FileAttach(file, handle);
}

HANDLE FileOpen(ObjectId number, const char *path) {
  return FileOpenEither(number, path, nullptr);
}

HANDLE FileOpenWide(ObjectId number, const wchar_t *path) {
  return FileOpenEither(number, nullptr, path ? path : L"");
}

void FileReadLine(ObjectId number, int32_t pos) {
  int32_t reserved = FILE_LINE_STEP;
  char *line = ScratchReserve(reserved, pos);
  FileRecord *file = static_cast<FileRecord *>(RegistryLookup(FileRegistry, number));
  int32_t length = 0;
  // A full reservation grows by one step, reserved at its end: reserving the
  // whole again at pos would ask the buffer for twice the line. The buffer
  // may move; the text stays at pos.
  auto reservationGrowWhenFull = [&]() {
    if (length == reserved) {
      ScratchReserve(FILE_LINE_STEP, pos + reserved);
      reserved += FILE_LINE_STEP;
      line = ScratchAt(pos);
    }
  };
  while (file) {
    length += FileCopyRun(file, line + length, reserved - length);
    reservationGrowWhenFull();
    unsigned char byte = 0;
    FileNextByte(file, &byte);
    if (byte != 0) {
      line[length++] = static_cast<char>(byte);
    }
    reservationGrowWhenFull();
    if (byte == 0) {
      break;
    }
    if (byte == '\n') {
      length--;
      break;
    }
    if (byte == '\r') {
      length--;
      unsigned char next = 0;
      if (FileNextByte(file, &next) && next != '\n') {
        FilePushBack(file);
      }
      break;
    }
  }
  line[length] = 0;
  ScratchRelease(reserved - length);
}

int32_t FileAtEnd(ObjectId number) {
  FileRecord *file = static_cast<FileRecord *>(RegistryLookup(FileRegistry, number));
  if (!file) {
    return 0;
  }
  unsigned char byte;
  if (FileNextByte(file, &byte)) {
    FilePushBack(file);
    return 0;
  }
  // A file read without a buffer reports its end as -1.
  return file->buffer ? 1 : -1;
}

void FileClose(ObjectId number) {
  FileRecord *file = static_cast<FileRecord *>(RegistryLookup(FileRegistry, number));
  if (!file) {
    return;
  }
  if (file->buffer) {
    HeapFree(ProgramHeap, 0, file->buffer);
  }
  CloseHandle(file->handle);
  RegistryRelease(FileRegistry, number);
}
