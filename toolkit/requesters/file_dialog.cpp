// The modal open-file dialog; the chosen path is a string result in the
// scratch buffer, empty when the user cancelled. The dialog runs in wide
// characters: in the code page a name it cannot spell would come back as
// the look-alike of another file's name (ā.csv as a.csv).
#include <cstddef>
#include <cwchar>

#include "toolkit/requesters/file_dialog_buffers.h"
#include "toolkit/requesters/requesters.h"
#include "toolkit/strings/string_wide.h"

// After windows.h, on which it builds.
#include <commdlg.h>

// The dialog itself refuses a typed name of a missing file, so the caller
// never gets a path it would have to create.
static const DWORD FILE_DIALOG_FLAGS =
    OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
static_assert(FILE_DIALOG_FLAGS == 0x8180C, "the dialog's documented flags");

// The last choice as the dialog gave it.
static wchar_t ChosenWide[FILE_DIALOG_NAME_SIZE];

const wchar_t *AskOpenFileNameWide() {
  return ChosenWide;
}

// The classic size, without the fields later platform versions appended:
// 76 bytes in the 32-bit program, the same for the wide structure.
static_assert(sizeof(void *) != 4 || offsetof(OPENFILENAMEW, pvReserved) == 76, "the dialog's classic structure size");

static BOOL FileDialogRun(FileDialogTexts *texts, int32_t patternIndex) {
  OPENFILENAMEW dialog = {};
  dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
  dialog.hwndOwner = ForegroundOwner();
  dialog.lpstrFilter = texts->filter;
  dialog.nFilterIndex = static_cast<DWORD>(patternIndex) + 1; // the platform counts from 1
  dialog.lpstrFile = texts->fileName;
  dialog.nMaxFile = FILE_DIALOG_NAME_SIZE;
  dialog.lpstrInitialDir = texts->directory;
  dialog.lpstrTitle = texts->title;
  dialog.Flags = FILE_DIALOG_FLAGS;
  DisableThreadWindows();
  BOOL chosen = GetOpenFileNameW(&dialog);
  EnableThreadWindows();
  return chosen;
}

void AskOpenFileName(const char *title, const char *preset, const char *pattern, int32_t patternIndex, int32_t pos) {
  FileDialogBuffers buffers;
  FileDialogTexts texts = {};
  BOOL chosen = FALSE;
  if (FileDialogBuffersPrepare(&buffers, preset, pattern) && FileDialogTextsPrepare(&texts, title, &buffers)) {
    chosen = FileDialogRun(&texts, patternIndex);
  }
  ChosenWide[0] = L'\0';
  if (chosen) {
    wcsncpy(ChosenWide, texts.fileName, FILE_DIALOG_NAME_SIZE - 1);
    ChosenWide[FILE_DIALOG_NAME_SIZE - 1] = L'\0';
  }
  StrFromWide(ChosenWide, pos);
  FileDialogTextsFree(&texts);
  FileDialogBuffersFree(&buffers);
}
