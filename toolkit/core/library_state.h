// The one zero-filled state record a toolkit library keeps for the process.
#pragma once
#include <cstdint>

typedef void (*LibraryStateInitialiser)(void *record);

void *LibraryStateCreate(int32_t size, LibraryStateInitialiser initialiser);
void *LibraryStateGet(void *record);
