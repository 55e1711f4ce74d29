// Start-up and shutdown of the window library. What it creates is defined
// beside the code that uses it, so that this file, which names WindowClose,
// is called by none of them.
#include "toolkit/windows/window.h"

#include "toolkit/core/library_state.h"
#include "toolkit/core/module_instance.h"
#include "toolkit/windows/event.h"
#include "toolkit/windows/gadget_list.h"
#include "toolkit/windows/key_repeats.h"
#include "toolkit/windows/sizing.h"

bool WindowLibraryStartup() {
  WindowRegistry = RegistryCreate(sizeof(WindowRecord), 16, WindowClose);
  EventStateRecord = LibraryStateCreate<EventState>(nullptr);
  // Null when the program has no icon 1: the platform shows its default.
  WindowClassIcon = LoadIconA(ModuleInstance, MAKEINTRESOURCEA(1));
  WindowClassCursor = LoadCursorA(nullptr, IDC_ARROW);
  SizingStateRecord = LibraryStateCreate<SizingState>(nullptr);
  GadgetListStateCreate();
  return WindowRegistry != nullptr && EventStateRecord != nullptr && SizingStateRecord != nullptr &&
         GadgetListStateRecord != nullptr;
}

// Every open window, in ascending order of number; gadgets go with them.
void WindowLibraryShutdown() {
  RegistryFreeAll(WindowRegistry);
  KeyRepeatsEnd();
}
