// Working buffers of the open-file dialog: the preset split into directory and
// file name, and the pattern turned into the platform's filter list.
#pragma once
#include <cstdint>

enum { FILE_DIALOG_NAME_SIZE = 260 }; // the platform's maximum path length

struct FileDialogBuffers {
  char *fileName;  // FILE_DIALOG_NAME_SIZE bytes: the preset name in, the chosen path out
  char *filter;    // display text and wildcard pairs, each NUL-ended, then an extra NUL
  char *directory; // the preset's directory without a trailing backslash; null without a preset
};

// Allocates the buffers from ProgramHeap and fills them; 0 when one of them
// could not be allocated. FileDialogBuffersFree releases them either way.
int32_t FileDialogBuffersPrepare(FileDialogBuffers *buffers, const char *preset, const char *pattern);
void FileDialogBuffersFree(FileDialogBuffers *buffers);
