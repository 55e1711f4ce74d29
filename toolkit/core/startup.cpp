// Start-up and shutdown steps of every toolkit library, in their fixed order.
#include "toolkit/core/startup.h"

#include <commctrl.h>
#include <objbase.h>

#include "toolkit/files/file_reader.h"
#include "toolkit/gadgets/gadget.h"
#include "toolkit/strings/string_engine.h"
#include "toolkit/windows/window.h"

HINSTANCE ModuleInstance;

void ControlsStartup() {
  InitCommonControls();
  // The GUI thread is a single-threaded apartment before the first window.
  CoInitialize(nullptr);
}

void ToolkitStartup() {
  StringEngineInit();
  FileLibraryStartup();
  WindowLibraryStartup();
  GadgetLibraryStartup();
  ControlsStartup();
}

void ToolkitShutdown() {
  GadgetLibraryShutdown();
  WindowLibraryShutdown();
  FileLibraryShutdown();
}
