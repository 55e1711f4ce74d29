#include "tests/support/event_drain.h"

#include <algorithm>

#include "tests/support/message_names.h"
#include "toolkit/windows/event.h"

namespace {
// Long enough for input the platform delivers from another thread.
const int32_t SETTLE_MILLISECONDS = 30;
// Bounded, so that a window that keeps repainting cannot hang a test.
const int32_t MOST_EVENTS = 1000;
} // namespace

void PrintTo(const DrainedEvent &event, std::ostream *out) {
  *out << EventName(event.code);
  if (event.code == EVENT_GADGET) {
    *out << "(gadget " << event.gadget << ", type " << event.type << ")";
  }
}

std::vector<DrainedEvent> EventDrain() {
  std::vector<DrainedEvent> events;
  for (int32_t round = 0; round < MOST_EVENTS; round++) {
    int32_t code = EventWait(SETTLE_MILLISECONDS);
    // A wait may end early on a sent message; only a second empty look ends.
    if (code == EVENT_NONE && (code = EventWait(0)) == EVENT_NONE) {
      break;
    }
    DrainedEvent event = {code, 0, 0};
    if (code == EVENT_GADGET) {
      event.gadget = EventGadgetId();
      event.type = EventStateRecord->snapshot.EventType;
    }
    events.push_back(event);
  }
  return events;
}

std::vector<DrainedEvent> EventsOnly(const std::vector<DrainedEvent> &events, const std::vector<int32_t> &codes) {
  std::vector<DrainedEvent> kept;
  for (const DrainedEvent &event : events) {
    if (std::find(codes.begin(), codes.end(), event.code) != codes.end()) {
      kept.push_back(event);
    }
  }
  return kept;
}
