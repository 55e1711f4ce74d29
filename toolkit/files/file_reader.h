// Numbered files read line by line through a read-ahead buffer.
#pragma once
#include <cstdint>
#include <windows.h>
#include "toolkit/core/object_registry.h"

struct FileRecord {
  HANDLE handle; // non-zero while open
  unsigned char *buffer;
  int32_t bufferSize;
  int32_t unreadCount;
  int32_t fillCount;
};

// Read when a file is opened; 4096. A size the heap cannot supply (or one of
// 0 or less, which holds no byte) opens files without a buffer.
extern int32_t FILE_BUFFER_SIZE;
extern ObjectRegistry *FileRegistry;

// False when the platform refuses the registry.
bool FileLibraryStartup();
void FileLibraryShutdown();

HANDLE FileOpen(ObjectId number, const char *path);
// The same by a name in wide characters: one the code page cannot spell
// (a name from the command line, a drop or the file dialog) opens as it
// stands, and one of MAX_PATH characters or more by its long form.
HANDLE FileOpenWide(ObjectId number, const wchar_t *path);
void FileReadLine(ObjectId number, int32_t pos);
int32_t FileAtEnd(ObjectId number);
void FileClose(ObjectId number);
