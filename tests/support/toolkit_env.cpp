#include "tests/support/toolkit_env.h"

#include <gtest/gtest.h>

#include "toolkit/core/module_instance.h"
#include "toolkit/core/program_heap.h"
#include "toolkit/startup/toolkit_startup.h"

void PumpPendingMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

int main(int argc, char **argv) {
  testing::InitGoogleTest(&argc, argv);
  ModuleInstance = GetModuleHandleA(nullptr);
  ProgramHeapCreate();
  ToolkitStartup();
  int result = RUN_ALL_TESTS();
  ToolkitShutdown();
  return result;
}
