// The current gadget list: the window new gadgets are created on. A window
// that has been current keeps its state in a property while another is.
#include "toolkit/windows/gadget_list.h"

#include <cstdio>

#include "toolkit/core/heap_list.h"
#include "toolkit/core/library_state.h"
#include "toolkit/core/module_instance.h"
#include "toolkit/core/program_heap.h"
#include "toolkit/windows/property_names.h"

GadgetListState *GadgetListStateRecord;

namespace {
enum : int32_t { GADGET_CONTAINER_STACK_CAPACITY = 10 };

struct PropertyName {
  char text[64];
};

PropertyName GadgetStackPropertyName() {
  PropertyName name;
  snprintf(name.text, sizeof name.text, GADGET_STACK_PROPERTY_FORMAT,
           static_cast<long long>(reinterpret_cast<INT_PTR>(ModuleInstance)));
  return name;
}

// A fresh container stack: 10 zero entries, depth 0 (capacity 0 when the
// memory cannot be had).
void GadgetStackCreate(GadgetListState *state) {
  state->stackBuffer =
      static_cast<HWND *>(HeapAlloc(ProgramHeap, HEAP_ZERO_MEMORY, GADGET_CONTAINER_STACK_CAPACITY * sizeof(HWND)));
  state->stackDepth = 0;
  state->stackCapacity = state->stackBuffer ? GADGET_CONTAINER_STACK_CAPACITY : 0;
}

void GadgetListStateInitialise(void *record) {
  GadgetStackCreate(static_cast<GadgetListState *>(record));
}

// Every record is also kept in this list: the subclass procedure needs its
// window's record for every message, and under Wine a property read is a
// round trip to the server. There are only as many records as windows.
HeapList GadgetStackRecords;

GadgetStackRecord *GadgetStackOf(HWND window) {
  for (void *entry = HeapListNewest(&GadgetStackRecords); entry != nullptr; entry = HeapListOlder(entry)) {
    GadgetStackRecord *record = static_cast<GadgetStackRecord *>(entry);
    if (record->window == window) {
      return record;
    }
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
  if (state->stackBuffer != nullptr) {
    HeapFree(ProgramHeap, 0, state->stackBuffer);
  }
  state->currentGadgetList = record->savedCurrentGadgetList;
  state->stackBuffer = record->savedStackBuffer;
  state->stackDepth = record->savedDepth;
  state->stackCapacity = record->savedCapacity;
  record->savedStackBuffer = nullptr;
}

void GadgetStackFirstUse(GadgetListState *state, HWND window) {
  if (state->stackBuffer != nullptr) {
    state->stackDepth = 0;
  } else {
    GadgetStackCreate(state);
  }
  state->currentGadgetList = window;
  GadgetStackRecord *record =
      static_cast<GadgetStackRecord *>(HeapListAdd(&GadgetStackRecords, sizeof(GadgetStackRecord)));
  // Without a record the window is still current, only not remembered.
  if (record == nullptr) {
    return;
  }
  record->window = window;
  SetPropA(window, GadgetStackPropertyName().text, static_cast<HANDLE>(record));
  record->previousProcedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GadgetListSubclassProc)));
}
} // namespace

void GadgetListStateCreate() {
  GadgetListStateRecord = LibraryStateCreate<GadgetListState>(GadgetListStateInitialise);
}

HWND GadgetListSet(HWND window) {
  GadgetListState *state = LibraryStateGet(GadgetListStateRecord);
  HWND previous = state->currentGadgetList;
  if (window == nullptr) {
    return previous;
  }
  if (previous != nullptr) {
    GadgetStackRecord *saved = GadgetStackOf(previous);
    if (saved != nullptr) {
      GadgetStackSave(state, saved);
    }
  }
  GadgetStackRecord *record = GadgetStackOf(window);
  if (record != nullptr) {
    GadgetStackRestore(state, record);
  } else {
    GadgetStackFirstUse(state, window);
  }
  return previous;
}

LRESULT CALLBACK GadgetListSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  GadgetStackRecord *record = GadgetStackOf(window);
  if (record == nullptr) {
    return DefWindowProcA(window, message, wParam, lParam);
  }
  WNDPROC previous = record->previousProcedure;
  if (message == WM_NCDESTROY) {
    GadgetListState *state = LibraryStateGet(GadgetListStateRecord);
    if (record->window == state->currentGadgetList) {
      state->currentGadgetList = nullptr;
      state->stackDepth = 0;
    }
    if (record->savedStackBuffer != nullptr) {
      HeapFree(ProgramHeap, 0, record->savedStackBuffer);
    }
    HeapListRemove(&GadgetStackRecords, record);
    RemovePropA(window, GadgetStackPropertyName().text);
  }
  if (previous != nullptr) {
    return CallWindowProcA(previous, window, message, wParam, lParam);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
