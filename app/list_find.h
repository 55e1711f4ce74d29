// Finding a text in the viewer's list: Ctrl+F opens the Find dialog, its
// Find Next, F3 and Shift+F3 search the shown rows.
#pragma once
#include <cstdint>

// The shortcuts on the main window.
void ListFindShortcutsAdd();
// Ctrl+F, F3 or Shift+F3 (the shortcut's number).
void ListFindShortcut(int32_t command);
// Find Next in the dialog.
void ListFindNext();
