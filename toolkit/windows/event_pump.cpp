// The event pump for long work. The event wait is the place that hands out
// events; the pump only dispatches, so a gadget event, which lives in the
// working fields until the next wait, is moved into the queue before another
// message can overwrite it, and the working fields are put back afterwards:
// to EventWait, a pump looks like window events queued by a sent message.
#include "toolkit/windows/event_pump.h"

#include "toolkit/core/library_state.h"
#include "toolkit/windows/event.h"
#include "toolkit/windows/event_dispatch.h"
#include "toolkit/windows/event_queue.h"

namespace {
void EventPumpQueuePending(EventFields *working) {
  if (working->pendingCode != 0) {
    EventQueuePushGadget(working->pendingCode, working->window, working->gadget, working->EventType);
    working->pendingCode = 0;
  }
}

bool EventPumpIsStopKey(const MSG &message, WPARAM stopKey) {
  return message.message == WM_KEYDOWN && message.wParam == stopKey;
}
} // namespace

int32_t EventPump(WPARAM stopKey, EventKeepFilter keep, DWORD budgetMs) {
  EventState *state = LibraryStateGet(EventStateRecord);
  EventFields saved = state->working;
  // A gadget event left pending before the pump (by a sent message) goes
  // first, as the next wait would have returned it.
  EventQueueNode *tail = state->queueTail;
  EventPumpQueuePending(&state->working);
  EventQueueFilterAfter(tail, keep);
  int32_t stopped = 0;
  DWORD start = GetTickCount();
  MSG message;
  while (GetTickCount() - start <= budgetMs && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD)) {
    if (EventPumpIsStopKey(message, stopKey)) {
      stopped = 1;
      continue;
    }
    tail = state->queueTail;
    EventDispatch(&message);
    EventPumpQueuePending(&state->working);
    EventQueueFilterAfter(tail, keep);
  }
  saved.pendingCode = 0;
  state->working = saved;
  return stopped;
}
