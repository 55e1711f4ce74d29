// The gadget library's records, registration of controls, the control window
// procedure and the common creation steps.
#include "toolkit/gadgets/gadget.h"

#include "toolkit/core/library_state.h"
#include "toolkit/core/module_instance.h"
#include "toolkit/core/program_heap.h"
#include "toolkit/gadgets/gadget_create.h"
#include "toolkit/windows/event.h"
#include "toolkit/windows/gadget_list.h"
#include "toolkit/windows/window.h"

ObjectRegistry *GadgetRegistry;
HFONT GadgetLibraryFont;
CRITICAL_SECTION BrushCacheLock;
bool GadgetsEnding;

HWND GadgetControlCreate(const GadgetControlShape *shape, int32_t x, int32_t y, int32_t width, int32_t height) {
  GadgetListState *state = LibraryStateGet(GadgetListStateRecord);
  return CreateWindowExA(shape->extendedStyle, shape->className, shape->text, shape->style | WS_CHILD | WS_VISIBLE, x,
                         y, width, height, state->currentGadgetList, reinterpret_cast<HMENU>(shape->initialId),
                         ModuleInstance, nullptr);
}

GadgetRecord *GadgetSlotTake(ObjectId number, HWND control) {
  GadgetRecord *gadget = static_cast<GadgetRecord *>(RegistryAllocate(GadgetRegistry, number));
  if (!gadget) {
    DestroyWindow(control);
  }
  return gadget;
}

HWND GadgetRegister(ObjectId number, GadgetRecord *gadget, HWND control, const GadgetOps *operations) {
  gadget->window = control;
  gadget->operations = operations;
  gadget->previousProcedure =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GadgetWindowProc)));
  SetWindowLongPtrA(control, GWLP_ID, number);
  SetPropA(control, GADGET_ID_PROPERTY, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(number)));
  GadgetListState *state = LibraryStateGet(GadgetListStateRecord);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(state->currentFont), TRUE);
  return control;
}

LRESULT CALLBACK GadgetWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ObjectId number = static_cast<ObjectId>(GetWindowLongPtrA(window, GWLP_ID));
  GadgetRecord *gadget = static_cast<GadgetRecord *>(RegistryLookup(GadgetRegistry, number));
  // A control whose number no longer names it (cleaned up, or the slot now
  // belongs to another control) only gets the default.
  if (number == -1 || !gadget || gadget->window != window) {
    return DefWindowProcA(window, message, wParam, lParam);
  }
  LRESULT result = CallWindowProcA(gadget->previousProcedure, window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // The message may have created gadgets meanwhile and moved the slots.
    gadget = static_cast<GadgetRecord *>(RegistryLookup(GadgetRegistry, number));
    if (gadget && gadget->operations->OnDestroy) {
      gadget->operations->OnDestroy(gadget);
    }
    RemovePropA(window, GADGET_ID_PROPERTY);
    SetWindowLongPtrA(window, GWLP_ID, -1);
    RegistryRelease(GadgetRegistry, number);
  }
  return result;
}

void GadgetFree(ObjectId number) {
  GadgetRecord *gadget = static_cast<GadgetRecord *>(RegistryLookup(GadgetRegistry, number));
  if (gadget) {
    DestroyWindow(gadget->window);
  }
}

void GadgetPostEvent(HWND control, int32_t eventType) {
  PostMessageA(GadgetOwnerWindow(control), MSG_GADGET_EVENT, static_cast<WPARAM>(GetWindowLongPtrA(control, GWLP_ID)),
               eventType);
}

HWND GadgetOwnerWindow(HWND window) {
  for (;;) {
    HWND parent = GetParent(window);
    if (!parent || GetPropA(window, WINDOW_ID_PROPERTY)) {
      return window;
    }
    window = parent;
  }
}
