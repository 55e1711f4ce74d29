// The program's entry: heap, toolkit start-up, the application, shutdown.
#include "toolkit/startup/program_entry.h"

#include "toolkit/core/module_instance.h"
#include "toolkit/core/program_heap.h"
#include "toolkit/startup/storage_message.h"
#include "toolkit/startup/toolkit_startup.h"
#include "toolkit/strings/string_engine.h"

void ProgramEntry() {
  ModuleInstance = GetModuleHandleA(nullptr);
  // Every record lives in this heap: without it nothing could start.
  if (!ProgramHeapCreate()) {
    ExitProcess(EXIT_OUT_OF_MEMORY);
  }
  StringStorageExhaustedHandler = StorageExhaustedMessage;
  ToolkitStartup();
  ApplicationMain();
  ToolkitShutdown();
  HeapDestroy(ProgramHeap);
  // Every other ending, a window that could not be opened included, reports 0.
  ExitProcess(0);
}
