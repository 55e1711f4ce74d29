// WM_DROPFILES at a toolkit window. The name is read in wide characters, so
// that a name the code page cannot spell reaches the file whole; the rest of
// a drop of several files is not read. The drop is queued as an event of its
// own, like a close request, and its name waits here until the next drop.
#include "toolkit/windows/window_drop.h"

#include <shellapi.h>

#include "toolkit/windows/event.h"
#include "toolkit/windows/window_lookup.h"

// The longest path the wide file functions take, with its NUL.
enum : UINT { DROP_NAME_CAPACITY = 32768 };
static wchar_t DroppedName[DROP_NAME_CAPACITY];

int32_t WindowAcceptDrops(ObjectId number) {
  WindowRecord *record = WindowRecordOf(number);
  if (record == nullptr) {
    return 0;
  }
  DragAcceptFiles(record->window, TRUE);
  return 1;
}

const wchar_t *EventDroppedFile() {
  return DroppedName;
}

LRESULT WindowDropHandle(int32_t number, WPARAM dropParam) {
  HDROP drop = reinterpret_cast<HDROP>(dropParam);
  // A name that does not fit is not cut short into another file's name.
  DroppedName[0] = L'\0';
  if (DragQueryFileW(drop, 0, nullptr, 0) < DROP_NAME_CAPACITY) {
    DragQueryFileW(drop, 0, DroppedName, DROP_NAME_CAPACITY);
  }
  DragFinish(drop);
  if (number != -1) {
    EventQueuePush(EVENT_DROP_FILE, number);
  }
  return 0;
}
