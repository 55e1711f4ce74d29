// The private heap for every runtime record of the toolkit.
#pragma once
#include <windows.h>

extern HANDLE ProgramHeap;
