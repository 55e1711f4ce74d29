// The FIFO of window events between the window procedure and the event wait.
#pragma once
#include <cstdint>
#include "toolkit/windows/event.h"
#include "toolkit/windows/event_pump.h"

// Takes the oldest queued event into the working fields (its window, and
// its gadget and type when it carries them); false when the queue is empty.
bool EventQueuePop(int32_t *code, EventFields *working);
// Queues a gadget event whole: never merged with the newest entry, since
// two presses are two events.
void EventQueuePushGadget(int32_t code, int32_t window, int32_t gadget, int32_t type);
// A gadget or menu event of the window the working fields name: the pending
// code for the next wait, or, while a pump runs, an entry of its own.
void EventGadgetReport(int32_t code, int32_t gadget, int32_t type);
// Drops the events queued after the node (after none: all) that the filter
// refuses.
void EventQueueFilterAfter(EventQueueNode *node, EventKeepFilter keep);
