// The one table of start-up and shutdown steps. The portable build (tests,
// fuzz targets, host benchmarks) compiles it without the user interface and
// so runs the leading steps, strings and files, only.
#include "toolkit/startup/toolkit_startup.h"

#include <iterator>

#include "toolkit/files/file_reader.h"
#include "toolkit/strings/string_engine.h"
#ifdef TOOLKIT_WITH_USER_INTERFACE
#include "toolkit/gadgets/gadget.h"
#include "toolkit/startup/controls_startup.h"
#include "toolkit/windows/window.h"
#endif

namespace {

struct StartupStep {
  void (*start)();
  void (*stop)(); // null: nothing to undo, the end of the process releases it
};

// Shutdown walks this backwards: gadgets, windows with their gadgets, files.
const StartupStep STARTUP_STEPS[] = {
    {StringEngineInit, nullptr},
    {FileLibraryStartup, FileLibraryShutdown},
#ifdef TOOLKIT_WITH_USER_INTERFACE
    {WindowLibraryStartup, WindowLibraryShutdown},
    {GadgetLibraryStartup, GadgetLibraryShutdown},
    {ControlsStartup, nullptr},
#endif
};

} // namespace

void ToolkitStartup() {
  for (const StartupStep &step : STARTUP_STEPS) {
    step.start();
  }
}

void ToolkitShutdown() {
  for (auto step = std::rbegin(STARTUP_STEPS); step != std::rend(STARTUP_STEPS); ++step) {
    if (step->stop) {
      step->stop();
    }
  }
}
