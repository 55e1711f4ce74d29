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
  buffers->filterSize = static_cast<int32_t>(patternLength + 2);
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

// The first bytes of text in wide characters, in a zero-filled block of at
// least units (one more than the text needs when units is 0); null when the
// block could not be had.
static wchar_t *WideCopy(const char *text, int32_t bytes, int32_t units) {
  int32_t needed = MultiByteToWideChar(CP_ACP, 0, text, bytes, nullptr, 0);
  int32_t size = needed + 1 > units ? needed + 1 : units;
  wchar_t *copy = static_cast<wchar_t *>(HeapAlloc(ProgramHeap, HEAP_ZERO_MEMORY, size * sizeof(wchar_t)));
  if (copy && needed > 0) {
    MultiByteToWideChar(CP_ACP, 0, text, bytes, copy, size);
  }
  return copy;
}

int32_t FileDialogTextsPrepare(FileDialogTexts *texts, const char *title, const FileDialogBuffers *buffers) {
  *texts = FileDialogTexts{};
  int32_t nameBytes = static_cast<int32_t>(strnlen(buffers->fileName, FILE_DIALOG_NAME_SIZE - 1));
  texts->fileName = WideCopy(buffers->fileName, nameBytes, FILE_DIALOG_NAME_SIZE);
  texts->filter = WideCopy(buffers->filter, buffers->filterSize, 0);
  if (!texts->fileName || !texts->filter) {
    return 0;
  }
  if (title) {
    texts->title = WideCopy(title, static_cast<int32_t>(strlen(title)), 0);
  }
  if (buffers->directory) {
    texts->directory = WideCopy(buffers->directory, static_cast<int32_t>(strlen(buffers->directory)), 0);
  }
  return (!title || texts->title) && (!buffers->directory || texts->directory);
}

void FileDialogTextsFree(FileDialogTexts *texts) {
  wchar_t *owned[] = {texts->title, texts->fileName, texts->filter, texts->directory};
  for (wchar_t *text : owned) {
    if (text) {
      HeapFree(ProgramHeap, 0, text);
    }
  }
  *texts = FileDialogTexts{};
}
