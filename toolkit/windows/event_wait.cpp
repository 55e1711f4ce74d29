// The event wait: queued window events first, then one platform message.
#include "toolkit/core/library_state.h"
#include "toolkit/windows/event.h"
#include "toolkit/windows/event_dispatch.h"
#include "toolkit/windows/event_queue.h"
#include "toolkit/windows/window_find.h"
#include "toolkit/windows/window_lookup.h"
#include "toolkit/windows/window_shortcuts.h"

namespace {
const UINT PEEK_FLAGS = PM_REMOVE | PM_NOYIELD;
const DWORD WAKE_MASK = QS_KEY | QS_MOUSEMOVE | QS_MOUSEBUTTON | QS_POSTMESSAGE | QS_TIMER | QS_PAINT | QS_SENDMESSAGE |
                        QS_HOTKEY | QS_ALLPOSTMESSAGE;

// The accelerators of the active window, when it is a toolkit window (a
// message box, for instance, has none), and the message is one to translate.
HACCEL ActiveWindowAccelerators(HWND active, const MSG &message) {
  if (active == nullptr) {
    return nullptr;
  }
  WindowRecord *record = WindowRecordOf(WindowNumberOf(active));
  if (record == nullptr || WindowShortcutRepeat(record, message)) {
    return nullptr;
  }
  return record->acceleratorTable;
}

// False when no message arrived within the timeout.
bool EventFetch(int32_t timeout, MSG *message, bool *wide) {
  if (timeout == -1) {
    *wide = WindowFindDialogActive();
    return (*wide ? GetMessageW : GetMessageA)(message, nullptr, 0, 0) != -1;
  }
  if (EventPeek(message, PEEK_FLAGS, wide)) {
    return true;
  }
  if (timeout == 0) {
    return false;
  }
  if (MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(timeout), WAKE_MASK) == WAIT_TIMEOUT) {
    return false;
  }
  return EventPeek(message, PEEK_FLAGS, wide);
}
} // namespace

bool EventPeek(MSG *message, UINT flags, bool *wide) {
  *wide = WindowFindDialogActive();
  return (*wide ? PeekMessageW : PeekMessageA)(message, nullptr, 0, 0, flags) != 0;
}

void EventDispatch(MSG *message, bool wide) {
  // The modeless Find dialog's keys (Enter, Esc) work only this way.
  if (WindowFindDialogMessage(message, wide)) {
    return;
  }
  HWND active = GetActiveWindow();
  HACCEL table = ActiveWindowAccelerators(active, *message);
  // A translated accelerator has already been sent to the active window.
  if (table != nullptr && (wide ? TranslateAcceleratorW : TranslateAcceleratorA)(active, table, message)) {
    return;
  }
  TranslateMessage(message);
  (wide ? DispatchMessageW : DispatchMessageA)(message);
}

int32_t EventWait(int32_t timeout) {
  EventState *state = LibraryStateGet(EventStateRecord);
  EventFields &working = state->working;
  working.EventType = -1;
  int32_t result;
  if (EventQueuePop(&result, &working)) {
    working.pendingCode = 0;
  } else {
    // Zeroed so that a failed GetMessageA never hands on stale contents.
    MSG message = {};
    bool wide = false;
    if (!EventFetch(timeout, &message, &wide)) {
      return EVENT_NONE;
    }
    EventDispatch(&message, wide);
    if (working.pendingCode != 0) {
      result = working.pendingCode;
      working.pendingCode = 0;
    } else {
      result = static_cast<int32_t>(message.message);
      working.messageWParam = static_cast<uint32_t>(message.wParam);
      working.messageLParam = static_cast<int32_t>(message.lParam);
    }
  }
  state->snapshot = working;
  return result;
}
