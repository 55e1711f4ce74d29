// Preparing the open-file dialog's buffers from the caller's preset and pattern.
#include "toolkit/requesters/file_dialog_buffers.h"

#include <cstring>

#include "toolkit/core/program_heap.h"
#include "toolkit/requesters/requesters.h"

static char *BufferAllocate(size_t size) {
  return static_cast<char *>(HeapAlloc(ProgramHeap, HEAP_ZERO_MEMORY, size));
}

static void FilterFill(char *filter, const char *pattern, size_t length) {
  memcpy(filter, pattern, length);
  for (size_t index = 0; index < length; ++index) {
    if (filter[index] == '|') {
      filter[index] = '\0';
    }
  }
}

// Splits at the last backslash when it follows at least one character; a
// preset without one (or with only a leading one) is all file name.
static void PresetSplit(char *directory, char *fileName) {
  char *backslash = strrchr(directory, '\\');
  const char *name = directory;
  if (backslash && backslash > directory) {
    *backslash = '\0';
    name = backslash + 1;
  }
  size_t nameLength = strlen(name);
  // A name too long for the buffer is dropped, not cut: a cut name would
  // preselect another file.
  if (nameLength < FILE_DIALOG_NAME_SIZE) {
    memcpy(fileName, name, nameLength + 1);
  }
  if (name == directory) {
    directory[0] = '\0';
  }
  if (!IsValidFileName(fileName)) {
    fileName[0] = '\0';
  }
}

int32_t FileDialogBuffersPrepare(FileDialogBuffers *buffers, const char *preset, const char *pattern) {
  *buffers = FileDialogBuffers{};
  buffers->fileName = BufferAllocate(FILE_DIALOG_NAME_SIZE);
  if (!buffers->fileName) {
    return 0;
  }
  size_t patternLength = pattern ? strlen(pattern) : 0;
  buffers->filter = BufferAllocate(patternLength + 2);
  if (!buffers->filter) {
    return 0;
  }
  if (pattern) {
    FilterFill(buffers->filter, pattern, patternLength);
  }
  // The empty preset is no preset, as null stands for the empty text.
  if (!preset || !*preset) {
    return 1;
  }
  size_t presetLength = strlen(preset);
  buffers->directory = BufferAllocate(presetLength + 2);
  if (!buffers->directory) {
    return 0;
  }
  memcpy(buffers->directory, preset, presetLength);
  PresetSplit(buffers->directory, buffers->fileName);
  return 1;
}

void FileDialogBuffersFree(FileDialogBuffers *buffers) {
  char *owned[] = {buffers->fileName, buffers->filter, buffers->directory};
  for (char *buffer : owned) {
    if (buffer) {
      HeapFree(ProgramHeap, 0, buffer);
    }
  }
  *buffers = FileDialogBuffers{};
}
