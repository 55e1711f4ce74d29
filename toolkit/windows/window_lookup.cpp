// Finding the toolkit window, and its number, behind a platform window.
#include "toolkit/windows/window_lookup.h"

#include "toolkit/core/object_registry.h"

int32_t WindowNumberOf(HWND window) {
  // The property holds number + 1, so that no property never names window 0.
  INT_PTR value = (INT_PTR)GetPropA(window, WINDOW_ID_PROPERTY);
  return value == 0 ? -1 : (int32_t)(value - 1);
}

int32_t WindowNumberOfOwner(HWND window) {
  for (HWND step = window; step != nullptr; step = GetParent(step)) {
    int32_t number = WindowNumberOf(step);
    if (number != -1)
      return number;
  }
  return -1;
}

WindowRecord *WindowRecordOf(int32_t number) {
  return (WindowRecord *)RegistryLookup(WindowRegistry, number);
}
