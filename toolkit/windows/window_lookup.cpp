// Finding the toolkit window, and its number, behind a platform window.
#include "toolkit/windows/window_lookup.h"

#include "toolkit/core/object_registry.h"

ObjectRegistry *WindowRegistry;

// The property holds number + 1, so that no property never names window 0.
// Every message of a toolkit window asks for its number, and under Wine a
// property read is a round trip to the server, so the same value is mirrored
// in the window's user data, which is read in the process.
void WindowNumberMark(HWND window, int32_t number) {
  SetPropA(window, WINDOW_ID_PROPERTY, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(number + 1)));
  SetWindowLongPtrA(window, GWLP_USERDATA, static_cast<LONG_PTR>(number) + 1);
}

void WindowNumberUnmark(HWND window) {
  RemovePropA(window, WINDOW_ID_PROPERTY);
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
}

int32_t WindowNumberOf(HWND window) {
  LONG_PTR value = GetWindowLongPtrA(window, GWLP_USERDATA);
  if (value <= 0 || value > INT32_MAX) {
    return -1;
  }
  // Other windows keep their own data there: only a toolkit window is named
  // by the registry under that number.
  int32_t number = static_cast<int32_t>(value - 1);
  WindowRecord *record = WindowRecordOf(number);
  return record != nullptr && record->window == window ? number : -1;
}

int32_t WindowNumberOfOwner(HWND window) {
  for (HWND step = window; step != nullptr; step = GetParent(step)) {
    int32_t number = WindowNumberOf(step);
    if (number != -1) {
      return number;
    }
  }
  return -1;
}

WindowRecord *WindowRecordOf(int32_t number) {
  return static_cast<WindowRecord *>(RegistryLookup(WindowRegistry, number));
}
