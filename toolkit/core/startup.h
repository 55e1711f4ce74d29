// Entry sequence, start-up and shutdown order of the toolkit.
#pragma once
#include <windows.h>

extern HINSTANCE ModuleInstance;

// The program's entry: heap, start-up, ApplicationMain, shutdown, exit 0.
[[noreturn]] void ProgramEntry();
void ToolkitStartup();
void ToolkitShutdown();
void ControlsStartup();

// The application's main procedure, provided by the program.
void ApplicationMain();
