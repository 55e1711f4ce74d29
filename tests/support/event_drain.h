// The one way tests wait for events: run EventWait until the thread has been
// idle for a moment, and keep what it handed out.
#pragma once
#include <cstdint>
#include <ostream>
#include <vector>

// One code EventWait returned; for EVENT_GADGET also the gadget and the
// event type, otherwise both 0.
struct DrainedEvent {
  int32_t code;
  int32_t gadget = 0;
  int32_t type = 0;
  bool operator==(const DrainedEvent &other) const {
    return code == other.code && gadget == other.gadget && type == other.type;
  }
};
// Names the code in failure messages.
void PrintTo(const DrainedEvent &event, std::ostream *out);

// Every event until nothing more arrives within a short wait. Posted,
// sent and input traffic has then been dispatched.
std::vector<DrainedEvent> EventDrain();
// Only the events with one of the given codes, in order.
std::vector<DrainedEvent> EventsOnly(const std::vector<DrainedEvent> &events, const std::vector<int32_t> &codes);
