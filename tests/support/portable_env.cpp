// Test executables of the portable core start its heaps and libraries once,
// as the program's start-up does, and shut them down after the last test.
#include <gtest/gtest.h>

#include "toolkit/startup/toolkit_startup.h"

namespace {

class PortableEnvironment : public testing::Environment {
public:
  void SetUp() override { ASSERT_TRUE(ToolkitStartup()); }
  void TearDown() override { ToolkitShutdown(); }
};

} // namespace

int main(int argc, char **argv) {
  testing::InitGoogleTest(&argc, argv);
  testing::AddGlobalTestEnvironment(new PortableEnvironment);
  return RUN_ALL_TESTS();
}
