// The FIFO of window events between the window procedure and the event wait.
#pragma once
#include <cstdint>

// Takes the oldest queued event; false when the queue is empty.
bool EventQueuePop(int32_t *code, int32_t *window);
