// Start-up and shutdown of the gadget library. The records it creates are
// defined beside the code that uses them, so that this file, which names
// GadgetFree and GadgetForwardMessage, is called by none of them.
#include "toolkit/core/library_state.h"
#include "toolkit/gadgets/gadget.h"
#include "toolkit/gadgets/gadget_forward.h"
#include "toolkit/windows/gadget_list.h"
#include "toolkit/windows/window_gadgets.h"

enum : int32_t { GADGET_REGISTRY_GROWTH = 50 };

bool GadgetLibraryStartup() {
  GadgetsEnding = false;
  InitializeCriticalSection(&BrushCacheLock);
  GadgetLibraryFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  GadgetRegistry = RegistryCreate(sizeof(GadgetRecord), GADGET_REGISTRY_GROWTH, GadgetFree);
  // The windows library's state starts before this one.
  LibraryStateGet(GadgetListStateRecord)->currentFont = GadgetLibraryFont;
  WindowGadgets.ForwardMessage = GadgetForwardMessage;
  return GadgetRegistry != nullptr;
}

void GadgetLibraryShutdown() {
  GadgetsEnding = true;
  GadgetListState *state = LibraryStateGet(GadgetListStateRecord);
  if (state->auxiliaryWindow) {
    DestroyWindow(state->auxiliaryWindow);
  }
}
