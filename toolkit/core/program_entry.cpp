// The program's entry: heap, toolkit start-up, the application, shutdown.
#include "toolkit/core/program_heap.h"
#include "toolkit/core/startup.h"

void ProgramEntry() {
  ModuleInstance = GetModuleHandleA(nullptr);
  ProgramHeap = HeapCreate(0, 4096, 0);
  // Every record lives in this heap: without it nothing could start.
  if (ProgramHeap == nullptr)
    ExitProcess(1);
  ToolkitStartup();
  ApplicationMain();
  ToolkitShutdown();
  HeapDestroy(ProgramHeap);
  // Every other ending, a window that could not be opened included, reports 0.
  ExitProcess(0);
}
