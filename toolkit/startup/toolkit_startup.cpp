// The one table of start-up and shutdown steps, from the program's module
// and heap to the common controls. The portable build (tests, fuzz targets,
// host benchmarks) has no user interface and so runs the heap, strings and
// files only.
#include "toolkit/startup/toolkit_startup.h"

#include <iterator>

#include "toolkit/core/program_heap.h"
#include "toolkit/files/file_reader.h"
#include "toolkit/startup/startup_sequence.h"
#include "toolkit/strings/string_engine.h"
#ifdef _WIN32
#include "toolkit/core/module_instance.h"
#include "toolkit/gadgets/gadget.h"
#include "toolkit/startup/controls_startup.h"
#include "toolkit/windows/window.h"
#endif

namespace {

// Shutdown walks this backwards: gadgets, windows with their gadgets, files.
// The heap outlives it, so that what shutdown closed can still be looked up
// (the program's entry destroys the heap last; elsewhere the end of the
// process does).
const StartupStep STARTUP_STEPS[] = {
#ifdef _WIN32
    {ModuleInstanceSet, nullptr},
#endif
    {ProgramHeapCreate, nullptr},
    {StringEngineInit, nullptr},
    {FileLibraryStartup, FileLibraryShutdown},
#ifdef _WIN32
    {WindowLibraryStartup, WindowLibraryShutdown},
    {GadgetLibraryStartup, GadgetLibraryShutdown},
    {ControlsStartup, nullptr},
#endif
};

StartupSequence ToolkitSequence = {STARTUP_STEPS, std::size(STARTUP_STEPS), 0, 0};

} // namespace

bool ToolkitStartup() {
  return StartupSequenceStart(&ToolkitSequence);
}

void ToolkitShutdown() {
  StartupSequenceStop(&ToolkitSequence);
}
