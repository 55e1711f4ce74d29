// What the program does when string storage runs out.
#pragma once
#include <windows.h>

// The exit code of a program that ran out of memory.
const UINT EXIT_OUT_OF_MEMORY = 1;

// Installed by ProgramEntry as the string engine's handler: tells the user
// that memory ran out and ends the process with EXIT_OUT_OF_MEMORY.
[[noreturn]] void StorageExhaustedMessage();
