#include "toolkit/windows/window_title.h"

#include "toolkit/core/program_heap.h"
#include "toolkit/windows/window_lookup.h"

// In the program heap; null when none is kept.
static wchar_t *KeptTitle;

void WindowTitleSet(ObjectId number, const char *title) {
  WindowRecord *record = WindowRecordOf(number);
  if (record != nullptr) {
    SetWindowTextA(record->window, title != nullptr ? title : "");
  }
}

static void WindowTitleForget() {
  if (KeptTitle != nullptr) {
    HeapFree(ProgramHeap, 0, KeptTitle);
    KeptTitle = nullptr;
  }
}

void WindowTitleKeep(ObjectId number) {
  WindowTitleForget();
  WindowRecord *record = WindowRecordOf(number);
  if (record == nullptr) {
    return;
  }
  int length = GetWindowTextLengthW(record->window);
  KeptTitle = static_cast<wchar_t *>(HeapAlloc(ProgramHeap, 0, (static_cast<SIZE_T>(length) + 1) * sizeof(wchar_t)));
  if (KeptTitle != nullptr) {
    GetWindowTextW(record->window, KeptTitle, length + 1);
  }
}

void WindowTitleRestore(ObjectId number) {
  WindowRecord *record = WindowRecordOf(number);
  if (record != nullptr) {
    SetWindowTextW(record->window, KeptTitle != nullptr ? KeptTitle : L"");
  }
  WindowTitleForget();
}
