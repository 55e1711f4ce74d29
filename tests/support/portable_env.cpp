// Test executables of the portable core start its heaps and libraries once,
// as the program's start-up does, and shut file input down after the last test.
#include <gtest/gtest.h>

#include "toolkit/core/program_heap.h"
#include "toolkit/files/file_reader.h"
#include "toolkit/strings/string_engine.h"

namespace {

class PortableEnvironment : public testing::Environment {
public:
  void SetUp() override {
    ProgramHeap = HeapCreate(0, 4096, 0);
    StringEngineInit();
    FileLibraryStartup();
  }
  void TearDown() override {
    FileLibraryShutdown();
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
