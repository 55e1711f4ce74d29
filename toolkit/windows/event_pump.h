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
// A press of the stop key is taken out of the stream (neither translated
// nor dispatched, so nothing else sees it); the result is then 1, else 0.
int32_t EventPump(WPARAM stopKey, EventKeepFilter keep, DWORD budgetMs);
