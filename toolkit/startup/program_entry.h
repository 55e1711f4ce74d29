// The program's entry, given what the application adds to it.
#pragma once
#include "toolkit/strings/string_engine.h"

typedef void (*ApplicationMainRoutine)();

// Toolkit start-up, the application's main routine, shutdown, the program
// heap destroyed, exit 0. The out-of-storage handler ends the process itself;
// it runs when string storage runs out, and when a start-up step fails,
// since every step that can fail fails for want of memory.
[[noreturn]] void ProgramEntry(ApplicationMainRoutine applicationMain, StorageExhaustedHandler outOfStorage);
