// The event pump for long work. The event wait is the place that hands out
// events; the pump only dispatches. While it runs, the window procedure
// queues every gadget event whole instead of leaving it in the working
// fields, and the queue is filtered after every fetch, since a message sent
// from another thread is handled inside PeekMessage itself, even one that
// finds nothing posted. The working fields are put back afterwards: to
// EventWait, a pump looks like window events queued by a sent message.
#include "toolkit/windows/event_pump.h"

#include "toolkit/core/library_state.h"
#include "toolkit/windows/event.h"
#include "toolkit/windows/event_dispatch.h"
#include "toolkit/windows/event_queue.h"
#include "toolkit/windows/key_repeats.h"

namespace {
// A fresh press only: a key held since before the work, or the repeats of
// the press that stopped it, stop nothing.
bool EventPumpIsStopKey(const MSG &message, WPARAM stopKey) {
  return message.message == WM_KEYDOWN && message.wParam == stopKey && !KeyIsRepeat(message.lParam);
}

// One fetch and its dispatch; false when nothing posted was waiting.
bool EventPumpOne(WPARAM stopKey, int32_t *stopped) {
  MSG message;
  bool wide = false;
  if (!EventPeek(&message, PM_REMOVE | PM_NOYIELD, &wide)) {
    return false;
  }
  if (EventPumpIsStopKey(message, stopKey)) {
    *stopped = 1;
    KeyRepeatsUseUp(stopKey);
  } else {
    EventDispatch(&message, wide);
  }
  return true;
}
} // namespace

int32_t EventPump(WPARAM stopKey, EventKeepFilter keep, DWORD budgetMs) {
  EventState *state = LibraryStateGet(EventStateRecord);
  EventFields saved = state->working;
  int32_t pumpingBefore = state->pumping;
  state->pumping = 1;
  // A gadget event left pending before the pump (by a sent message) goes
  // first, as the next wait would have returned it.
  EventQueueNode *tail = state->queueTail;
  if (saved.pendingCode != 0) {
    EventQueuePushGadget(saved.pendingCode, saved.window, saved.gadget, saved.EventType);
  }
  int32_t stopped = 0;
  DWORD start = GetTickCount();
  bool fetched;
  do {
    EventQueueFilterAfter(tail, keep);
    tail = state->queueTail;
    fetched = GetTickCount() - start <= budgetMs && EventPumpOne(stopKey, &stopped);
  } while (fetched);
  EventQueueFilterAfter(tail, keep);
  state->pumping = pumpingBefore;
  saved.pendingCode = 0;
  state->working = saved;
  return stopped;
}
