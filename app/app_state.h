// The viewer's process-wide variables.
#pragma once
#include <cstdint>
#include "toolkit/strings/string_engine.h"

extern StringVar SourcePath; // path returned by the open-file dialog
extern StringVar Separator;  // taken from the separator field at each "Start"
extern StringVar LineText;   // the line last read
extern StringVar RowText;    // that line with each separator turned into a line feed
extern int32_t QuitRequested;
extern int32_t LastEvent;
// The wide name of the file last loaded (by "Start", the command line, a
// drop or F5), which F5 loads again; null before the first load.
extern wchar_t *LastLoadPath;
// Keeps a copy of the name, replacing the one before; null forgets it, as
// does a copy that finds no memory.
void LastLoadPathSet(const wchar_t *path);
