// Shortcuts are entries appended to the window's accelerator table, after the
// two focus entries; the table is rebuilt from the entries at each addition.
#include "toolkit/windows/window_shortcuts.h"

#include "toolkit/core/program_heap.h"
#include "toolkit/windows/key_repeats.h"
#include "toolkit/windows/window.h"

namespace {
// The focus entries come first and repeat as any key does.
const int32_t FOCUS_ENTRIES = 2;

bool WindowShortcutReplace(WindowRecord *record, ACCEL *entries, int32_t count) {
  HACCEL table = CreateAcceleratorTableA(entries, count);
  if (table == nullptr) {
    return false;
  }
  if (record->acceleratorTable != nullptr) {
    DestroyAcceleratorTable(record->acceleratorTable);
  }
  record->acceleratorEntries = entries;
  record->acceleratorTable = table;
  record->acceleratorCount = count;
  return true;
}
} // namespace

bool WindowShortcutAdd(ObjectId number, BYTE modifiers, WORD key, WORD command) {
  WindowRecord *record = static_cast<WindowRecord *>(RegistryLookup(WindowRegistry, number));
  if (record == nullptr || record->acceleratorEntries == nullptr) {
    return false;
  }
  int32_t count = record->acceleratorCount + 1;
  SIZE_T size = static_cast<SIZE_T>(count) * sizeof(ACCEL);
  ACCEL *entries = static_cast<ACCEL *>(HeapReAlloc(ProgramHeap, 0, record->acceleratorEntries, size));
  if (entries == nullptr) {
    return false;
  }
  record->acceleratorEntries = entries;
  entries[count - 1] = {static_cast<BYTE>(FVIRTKEY | FNOINVERT | modifiers), key, command};
  return WindowShortcutReplace(record, entries, count);
}

bool WindowShortcutRepeat(const WindowRecord *record, const MSG &message) {
  if ((message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) || !KeyIsRepeat(message.lParam)) {
    return false;
  }
  for (int32_t index = FOCUS_ENTRIES; index < record->acceleratorCount; index++) {
    if (record->acceleratorEntries[index].key == message.wParam) {
      return true;
    }
  }
  return false;
}
