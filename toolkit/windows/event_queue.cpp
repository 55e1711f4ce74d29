// The FIFO of window events between the window procedure and the event wait.
#include "toolkit/windows/event_queue.h"

#include "toolkit/core/library_state.h"
#include "toolkit/core/program_heap.h"
#include "toolkit/windows/event.h"

// Links a node after the tail; the event is dropped when none can be had.
static EventQueueNode *EventQueueAppend(EventState *state, int32_t code, int32_t window) {
  EventQueueNode *node =
      static_cast<EventQueueNode *>(HeapAlloc(ProgramHeap, HEAP_ZERO_MEMORY, sizeof(EventQueueNode)));
  if (node == nullptr) {
    return nullptr;
  }
  node->code = code;
  node->window = window;
  if (state->queueTail != nullptr) {
    state->queueTail->next = node;
  } else {
    state->queueHead = node;
  }
  state->queueTail = node;
  return node;
}

void EventQueuePush(int32_t code, int32_t window) {
  EventState *state = LibraryStateGet(EventStateRecord);
  EventQueueNode *tail = state->queueTail;
  // A burst of equal events (moves or sizes during a drag) leaves one entry.
  if (tail != nullptr && tail->code == code && tail->window == window) {
    return;
  }
  EventQueueAppend(state, code, window);
}

void EventQueuePushGadget(int32_t code, int32_t window, int32_t gadget, int32_t type) {
  EventQueueNode *node = EventQueueAppend(LibraryStateGet(EventStateRecord), code, window);
  if (node != nullptr) {
    node->carriesGadget = 1;
    node->gadget = gadget;
    node->EventType = type;
  }
}

void EventGadgetReport(int32_t code, int32_t gadget, int32_t type) {
  EventState *state = LibraryStateGet(EventStateRecord);
  EventFields &working = state->working;
  if (state->pumping) {
    EventQueuePushGadget(code, working.window, gadget, type);
    return;
  }
  working.pendingCode = code;
  working.gadget = gadget;
  working.EventType = type;
}

bool EventQueueHolds(EventKeepFilter test) {
  EventState *state = LibraryStateGet(EventStateRecord);
  for (EventQueueNode *node = state->queueHead; node != nullptr; node = node->next) {
    if (test(node->code, node->carriesGadget ? node->gadget : -1)) {
      return true;
    }
  }
  return false;
}

void EventQueueFilterAfter(EventQueueNode *node, EventKeepFilter keep) {
  EventState *state = LibraryStateGet(EventStateRecord);
  EventQueueNode **link = node != nullptr ? &node->next : &state->queueHead;
  EventQueueNode *previous = node;
  while (*link != nullptr) {
    EventQueueNode *current = *link;
    if (keep(current->code, current->carriesGadget ? current->gadget : -1)) {
      previous = current;
      link = &current->next;
      continue;
    }
    *link = current->next;
    HeapFree(ProgramHeap, 0, current);
  }
  state->queueTail = previous;
}

bool EventQueuePop(int32_t *code, EventFields *working) {
  EventState *state = LibraryStateGet(EventStateRecord);
  EventQueueNode *head = state->queueHead;
  if (head == nullptr) {
    return false;
  }
  *code = head->code;
  working->window = head->window;
  if (head->carriesGadget) {
    working->gadget = head->gadget;
    working->EventType = head->EventType;
  }
  state->queueHead = head->next;
  if (state->queueHead == nullptr) {
    state->queueTail = nullptr;
  }
  HeapFree(ProgramHeap, 0, head);
  return true;
}
