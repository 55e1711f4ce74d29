// Working buffers of the open-file dialog: the preset split into directory and
// file name, and the pattern turned into the platform's filter list.
#pragma once
#include <cstdint>

enum { FILE_DIALOG_NAME_SIZE = 260 }; // the platform's maximum path length

struct FileDialogBuffers {
  char *fileName;     // FILE_DIALOG_NAME_SIZE bytes: the preset name
  char *filter;       // display text and wildcard pairs, each NUL-ended, then an extra NUL
  char *directory;    // the preset's directory without a trailing backslash; null without a preset
  int32_t filterSize; // the filter's bytes, its closing NULs included
};

// The same texts and the title as the dialog is given them: in wide
// characters, converted from the code page, so that the path chosen comes
// back as it is on disk.
struct FileDialogTexts {
  wchar_t *title;     // null without a title
  wchar_t *fileName;  // FILE_DIALOG_NAME_SIZE units: the preset name in, the chosen path out
  wchar_t *filter;    // as the 8-bit filter, NULs and all
  wchar_t *directory; // null without a preset
};

// Allocates the buffers from ProgramHeap and fills them; 0 when one of them
// could not be allocated. FileDialogBuffersFree releases them either way.
int32_t FileDialogBuffersPrepare(FileDialogBuffers *buffers, const char *preset, const char *pattern);
void FileDialogBuffersFree(FileDialogBuffers *buffers);

// Converts the prepared buffers and the title into wide texts from
// ProgramHeap; 0 when one of them could not be allocated.
// FileDialogTextsFree releases them either way.
int32_t FileDialogTextsPrepare(FileDialogTexts *texts, const char *title, const FileDialogBuffers *buffers);
void FileDialogTextsFree(FileDialogTexts *texts);
