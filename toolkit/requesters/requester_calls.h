// The two requesters, free of platform types so that code using them also
// builds without the user interface.
#pragma once
#include <cstdint>

void AskOpenFileName(const char *title, const char *preset, const char *pattern, int32_t patternIndex, int32_t pos);
// The path the last AskOpenFileName returned, as the dialog gave it in wide
// characters: the 8-bit result is that path in the code page, where a name
// the page cannot spell becomes a look-alike. Empty after a cancel.
const wchar_t *AskOpenFileNameWide();
int32_t ShowMessage(const char *title, const char *text, uint32_t flags);
