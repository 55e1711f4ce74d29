// The two requesters, free of platform types so that code using them also
// builds without the user interface.
#pragma once
#include <cstdint>

void AskOpenFileName(const char *title, const char *preset, const char *pattern, int32_t patternIndex, int32_t pos);
int32_t ShowMessage(const char *title, const char *text, uint32_t flags);
