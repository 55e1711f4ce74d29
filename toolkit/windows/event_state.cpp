// The current event's working fields and the snapshot the accessors read.
#include "toolkit/core/library_state.h"
#include "toolkit/windows/event.h"

EventState *EventStateRecord;

int32_t EventGadgetId() {
  EventState *state = LibraryStateGet(EventStateRecord);
  return state->snapshot.gadget;
}

int32_t EventGadgetType() {
  EventState *state = LibraryStateGet(EventStateRecord);
  return state->snapshot.EventType;
}
