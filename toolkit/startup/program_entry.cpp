// The program's entry: toolkit start-up, the application, shutdown.
#include "toolkit/startup/program_entry.h"

#include <windows.h>

#include "toolkit/core/program_heap.h"
#include "toolkit/startup/toolkit_startup.h"

void ProgramEntry(ApplicationMainRoutine applicationMain, StorageExhaustedHandler outOfStorage) {
  StringStorageExhaustedHandler = outOfStorage;
  if (!ToolkitStartup()) {
    StringStorageExhausted();
  }
  applicationMain();
  ToolkitShutdown();
  ProgramHeapDestroy();
  // Every other ending, a window that could not be opened included, reports 0.
  ExitProcess(0);
}
