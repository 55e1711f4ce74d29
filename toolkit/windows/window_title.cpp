#include "toolkit/windows/window_title.h"

#include "toolkit/windows/window_lookup.h"

void WindowTitleSet(ObjectId number, const char *title) {
  WindowRecord *record = WindowRecordOf(number);
  if (record != nullptr) {
    SetWindowTextA(record->window, title != nullptr ? title : "");
  }
}
