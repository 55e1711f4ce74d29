// The modal open-file dialog; the chosen path is a string result in the
// scratch buffer, empty when the user cancelled.
#include <cstring>

#include "toolkit/requesters/file_dialog_buffers.h"
#include "toolkit/requesters/file_dialog_wide.h"
#include "toolkit/requesters/requesters.h"
#include "toolkit/strings/string_engine.h"

// After windows.h, on which it builds.
#include <commdlg.h>

// The dialog itself refuses a typed name of a missing file, so the caller
// never gets a path it would have to create.
static const DWORD FILE_DIALOG_FLAGS =
    OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
static_assert(FILE_DIALOG_FLAGS == 0x8180C, "the dialog's documented flags");

static BOOL FileDialogRun(const char *title, FileDialogBuffers *buffers, int32_t patternIndex) {
  OPENFILENAMEA dialog = {};
  // The classic size, without the fields later platform versions appended.
  dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  dialog.hwndOwner = ForegroundOwner();
  dialog.lpstrFilter = buffers->filter;
  dialog.nFilterIndex = static_cast<DWORD>(patternIndex) + 1; // the platform counts from 1
  dialog.lpstrFile = buffers->fileName;
  dialog.nMaxFile = FILE_DIALOG_NAME_SIZE;
  dialog.lpstrInitialDir = buffers->directory;
  dialog.lpstrTitle = title;
  dialog.Flags = FILE_DIALOG_FLAGS;
  DisableThreadWindows();
  FileDialogWatchStart();
  BOOL chosen = GetOpenFileNameA(&dialog);
  FileDialogWatchEnd();
  EnableThreadWindows();
  return chosen;
}

void AskOpenFileName(const char *title, const char *preset, const char *pattern, int32_t patternIndex, int32_t pos) {
  FileDialogBuffers buffers;
  BOOL chosen = FALSE;
  if (FileDialogBuffersPrepare(&buffers, preset, pattern)) {
    chosen = FileDialogRun(title, &buffers, patternIndex);
  }
  char *result = ScratchReserve(FILE_DIALOG_NAME_SIZE, pos);
  size_t length = 0;
  if (chosen) {
    length = strnlen(buffers.fileName, FILE_DIALOG_NAME_SIZE - 1);
    memcpy(result, buffers.fileName, length);
  }
  result[length] = '\0';
  FileDialogWideResolve(result);
  ScratchRelease(FILE_DIALOG_NAME_SIZE - static_cast<int32_t>(length));
  FileDialogBuffersFree(&buffers);
}
