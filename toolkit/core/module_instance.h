// The handle of the program's own module, taken at entry; windows, classes
// and controls are created with it.
#pragma once
#include <windows.h>

extern HINSTANCE ModuleInstance;

// Takes the handle of the program's module; false if there is none.
bool ModuleInstanceSet();
