// The private heap for every runtime record of the toolkit.
#pragma once
#include <windows.h>

extern HANDLE ProgramHeap;

// Creates ProgramHeap (serialised, 4096 bytes to start, no limit); false when
// the platform refuses.
bool ProgramHeapCreate();
// Destroys ProgramHeap with every record in it, and forgets it.
void ProgramHeapDestroy();
