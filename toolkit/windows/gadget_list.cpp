// The current gadget list: the window new gadgets are created on. A window
// that has been current keeps its state in a property while another is.
#include "toolkit/windows/gadget_list.h"

#include <cstdio>

#include "toolkit/core/heap_list.h"
#include "toolkit/core/library_state.h"
#include "toolkit/core/module_instance.h"
#include "toolkit/core/program_heap.h"
#include "toolkit/gadgets/gadget.h"

namespace {
struct PropertyName {
  char text[64];
};

// "QX_GadgetStack_%i" with the module instance as a decimal integer.
PropertyName GadgetStackPropertyName() {
  PropertyName name;
  snprintf(name.text, sizeof name.text, "QX_GadgetStack_%lld", (long long)(INT_PTR)ModuleInstance);
  return name;
}

// Every record is also kept in this list: the subclass procedure needs its
// window's record for every message, and under Wine a property read is a
// round trip to the server. There are only as many records as windows.
HeapList GadgetStackRecords;

GadgetStackRecord *GadgetStackOf(HWND window) {
  for (void *entry = HeapListNewest(&GadgetStackRecords); entry != nullptr; entry = HeapListOlder(entry)) {
    GadgetStackRecord *record = (GadgetStackRecord *)entry;
    if (record->window == window)
      return record;
  }
  return nullptr;
}

void GadgetStackSave(GadgetListState *state, GadgetStackRecord *record) {
  record->savedCurrentGadgetList = state->currentGadgetList;
  record->savedStackBuffer = state->stackBuffer;
  record->savedDepth = state->stackDepth;
  record->savedCapacity = state->stackCapacity;
  state->stackBuffer = nullptr;
}

void GadgetStackRestore(GadgetListState *state, GadgetStackRecord *record) {
  if (state->stackBuffer != nullptr)
    HeapFree(ProgramHeap, 0, state->stackBuffer);
  state->currentGadgetList = record->savedCurrentGadgetList;
  state->stackBuffer = record->savedStackBuffer;
  state->stackDepth = record->savedDepth;
  state->stackCapacity = record->savedCapacity;
  record->savedStackBuffer = nullptr;
}

void GadgetStackFirstUse(GadgetListState *state, HWND window) {
  if (state->stackBuffer != nullptr)
    state->stackDepth = 0;
  else
    GadgetStackCreate(state);
  state->currentGadgetList = window;
  GadgetStackRecord *record = (GadgetStackRecord *)HeapListAdd(&GadgetStackRecords, sizeof(GadgetStackRecord));
  // Without a record the window is still current, only not remembered.
  if (record == nullptr)
    return;
  record->window = window;
  SetPropA(window, GadgetStackPropertyName().text, (HANDLE)record);
  record->previousProcedure = (WNDPROC)SetWindowLongPtrA(window, GWLP_WNDPROC, (LONG_PTR)GadgetListSubclassProc);
}
} // namespace

HWND GadgetListSet(HWND window) {
  GadgetListState *state = (GadgetListState *)LibraryStateGet(GadgetListStateRecord);
  HWND previous = state->currentGadgetList;
  if (window == nullptr)
    return previous;
  if (previous != nullptr) {
    GadgetStackRecord *saved = GadgetStackOf(previous);
    if (saved != nullptr)
      GadgetStackSave(state, saved);
  }
  GadgetStackRecord *record = GadgetStackOf(window);
  if (record != nullptr)
    GadgetStackRestore(state, record);
  else
    GadgetStackFirstUse(state, window);
  return previous;
}

LRESULT CALLBACK GadgetListSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  GadgetStackRecord *record = GadgetStackOf(window);
  if (record == nullptr)
    return DefWindowProcA(window, message, wParam, lParam);
  WNDPROC previous = record->previousProcedure;
  if (message == WM_NCDESTROY) {
    GadgetListState *state = (GadgetListState *)LibraryStateGet(GadgetListStateRecord);
    if (record->window == state->currentGadgetList) {
      state->currentGadgetList = nullptr;
      state->stackDepth = 0;
    }
    if (record->savedStackBuffer != nullptr)
      HeapFree(ProgramHeap, 0, record->savedStackBuffer);
    HeapListRemove(&GadgetStackRecords, record);
    RemovePropA(window, GadgetStackPropertyName().text);
  }
  if (previous != nullptr)
    return CallWindowProcA(previous, window, message, wParam, lParam);
  return DefWindowProcA(window, message, wParam, lParam);
}
