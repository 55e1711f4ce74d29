// Test executables of the user interface run with the whole toolkit started,
// as the program does, and shut it down after the last test.
#include <gtest/gtest.h>

#include "toolkit/core/module_instance.h"
#include "toolkit/core/program_heap.h"
#include "toolkit/startup/toolkit_startup.h"

int main(int argc, char **argv) {
  testing::InitGoogleTest(&argc, argv);
  ModuleInstance = GetModuleHandleA(nullptr);
  ProgramHeapCreate();
  ToolkitStartup();
  int result = RUN_ALL_TESTS();
  ToolkitShutdown();
  return result;
}
