// Test executables of the user interface run with the whole toolkit started,
// as the program does, and shut it down after the last test.
#include <gtest/gtest.h>

#include "toolkit/startup/toolkit_startup.h"

int main(int argc, char **argv) {
  testing::InitGoogleTest(&argc, argv);
  if (!ToolkitStartup()) {
    return 1;
  }
  int result = RUN_ALL_TESTS();
  ToolkitShutdown();
  return result;
}
