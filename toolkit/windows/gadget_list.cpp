// The current gadget list: the window new gadgets are created on. A window
// that has been current keeps its state in a property while another is.
#include "toolkit/windows/gadget_list.h"

#include <cstdio>

#include "toolkit/core/library_state.h"
#include "toolkit/core/program_heap.h"
#include "toolkit/core/startup.h"
#include "toolkit/gadgets/gadget.h"

namespace {
const int32_t STACK_CAPACITY = 10;

struct PropertyName {
  char text[64];
};

// "QX_GadgetStack_%i" with the module instance as a decimal integer.
PropertyName GadgetStackPropertyName() {
  PropertyName name;
  snprintf(name.text, sizeof name.text, "QX_GadgetStack_%lld", (long long)(INT_PTR)ModuleInstance);
  return name;
}

GadgetStackRecord *GadgetStackOf(HWND window, const PropertyName &name) {
  return (GadgetStackRecord *)GetPropA(window, name.text);
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

void GadgetStackFirstUse(GadgetListState *state, HWND window, const PropertyName &name) {
  if (state->stackBuffer != nullptr) {
    state->stackDepth = 0;
  } else {
    state->stackBuffer = (HWND *)HeapAlloc(ProgramHeap, HEAP_ZERO_MEMORY, STACK_CAPACITY * sizeof(HWND));
    state->stackDepth = 0;
    state->stackCapacity = state->stackBuffer != nullptr ? STACK_CAPACITY : 0;
  }
  state->currentGadgetList = window;
  GadgetStackRecord *record = (GadgetStackRecord *)HeapAlloc(ProgramHeap, HEAP_ZERO_MEMORY, sizeof(GadgetStackRecord));
  // Without a record the window is still current, only not remembered.
  if (record == nullptr)
    return;
  record->window = window;
  SetPropA(window, name.text, (HANDLE)record);
  record->previousProcedure = (WNDPROC)SetWindowLongPtrA(window, GWLP_WNDPROC, (LONG_PTR)GadgetListSubclassProc);
}
} // namespace

HWND GadgetListSet(HWND window) {
  GadgetListState *state = (GadgetListState *)LibraryStateGet(GadgetListStateRecord);
  HWND previous = state->currentGadgetList;
  if (window == nullptr)
    return previous;
  PropertyName name = GadgetStackPropertyName();
  if (previous != nullptr) {
    GadgetStackRecord *saved = GadgetStackOf(previous, name);
    if (saved != nullptr)
      GadgetStackSave(state, saved);
  }
  GadgetStackRecord *record = GadgetStackOf(window, name);
  if (record != nullptr)
    GadgetStackRestore(state, record);
  else
    GadgetStackFirstUse(state, window, name);
  return previous;
}

LRESULT CALLBACK GadgetListSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  PropertyName name = GadgetStackPropertyName();
  GadgetStackRecord *record = GadgetStackOf(window, name);
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
    HeapFree(ProgramHeap, 0, record);
    RemovePropA(window, name.text);
  }
  if (previous != nullptr)
    return CallWindowProcA(previous, window, message, wParam, lParam);
  return DefWindowProcA(window, message, wParam, lParam);
}
