// The program's entry and the application procedure it runs.
#pragma once

// Heap, toolkit start-up, ApplicationMain, shutdown, exit 0.
[[noreturn]] void ProgramEntry();

// The application's main procedure, provided by the program.
void ApplicationMain();
