// Test executables of the portable core start its heaps and libraries once,
// as the program's start-up does, and shut them down after the last test.
#include <gtest/gtest.h>

#include "toolkit/core/program_heap.h"
#include "toolkit/startup/toolkit_startup.h"

namespace {

class PortableEnvironment : public testing::Environment {
public:
  void SetUp() override {
    ProgramHeapCreate();
    ToolkitStartup();
  }
  void TearDown() override {
    ToolkitShutdown();
    HeapDestroy(ProgramHeap);
    ProgramHeap = nullptr;
  }
};

} // namespace

int main(int argc, char **argv) {
  testing::InitGoogleTest(&argc, argv);
  testing::AddGlobalTestEnvironment(new PortableEnvironment);
  return RUN_ALL_TESTS();
}
