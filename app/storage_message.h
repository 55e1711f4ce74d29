// What the viewer does when memory runs out.
#pragma once
#include <windows.h>

// The exit code of a program that ran out of memory.
const UINT EXIT_OUT_OF_MEMORY = 1;

// "Fehler !" / "Zu wenig Speicher !", for whatever ran out of memory.
void OutOfMemoryMessage();

// The program entry's out-of-storage handler: tells the user that memory ran
// out and ends the process with EXIT_OUT_OF_MEMORY.
[[noreturn]] void StorageExhaustedMessage();
