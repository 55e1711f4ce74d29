// The two requesters, free of platform types so that code using them also
// builds without the user interface.
#pragma once
#include <cstdint>

void AskOpenFileName(const char *title, const char *preset, const char *pattern, int32_t patternIndex, int32_t pos);
// The path the last AskOpenFileName returned, spelled as the name on disk in
// wide characters; empty after a cancel, and when a look-alike name beside
// the chosen one converts to the same 8-bit path (see file_dialog_wide.cpp).
const wchar_t *AskOpenFileNameWide();
int32_t ShowMessage(const char *title, const char *text, uint32_t flags);
