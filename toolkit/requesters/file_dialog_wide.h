// The chosen path of the open-file dialog matched back to the names on disk.
#pragma once
#include <windows.h>

// Around the dialog: the text of its name box is kept as it goes.
void FileDialogWatchStart();
void FileDialogWatchEnd();
// Resolves the dialog's 8-bit path into the wide spelling AskOpenFileNameWide
// hands out; an empty path, or one it cannot tell apart, leaves it empty.
void FileDialogWideResolve(const char *path);
