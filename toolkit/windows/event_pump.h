// Handling the thread's messages during long work, beside the event wait.
#pragma once
#include <cstdint>
#include <windows.h>

// Tells whether an event produced during a pump is kept for the event wait:
// given its code and gadget (-1 for a window event), 0 drops it.
typedef int32_t (*EventKeepFilter)(int32_t code, int32_t gadget);

// Dispatches the messages waiting for the thread, for at most about the
// budget, without waiting for more, so that windows repaint and answer the
// system while the caller works. Nothing is handed to the caller: window
// events stay queued, and a gadget event is queued whole, so that EventWait
// hands them all out afterwards in their order; the filter may drop some.
// Events of messages sent from other threads and processes go through the
// same filter. A fresh press of the stop key (not an auto-repeat) is taken
// out of the stream (neither translated nor dispatched, so nothing else sees
// it) and its repeats are used up (KeyRepeatsUseUp); the result is then 1,
// else 0.
int32_t EventPump(WPARAM stopKey, EventKeepFilter keep, DWORD budgetMs);
// Whether an event waiting for EventWait passes the test, which has the form
// of a keep filter: how work that pumps learns what was asked meanwhile.
bool EventQueueHolds(EventKeepFilter test);
