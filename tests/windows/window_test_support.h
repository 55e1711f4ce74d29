// Helpers of the window tests: a window that closes itself, and views of the
// event queue.
#pragma once
#include <cstdint>
#include <ostream>
#include <vector>
#include <windows.h>

#include "tests/support/event_drain.h"
#include "toolkit/windows/event.h"
#include "toolkit/windows/window.h"

struct QueuedEvent {
  int32_t code;
  int32_t window;
  bool operator==(const QueuedEvent &other) const { return code == other.code && window == other.window; }
};
// Names the code in failure messages.
void PrintTo(const QueuedEvent &event, std::ostream *out);

// The queued events, oldest first, without taking them.
std::vector<QueuedEvent> EventQueueContents();
// Only the given codes of the queue, in order.
std::vector<int32_t> EventQueueCodes(const std::vector<int32_t> &wanted);
EventFields EventSnapshot();
EventFields EventWorking();

// Opens on construction and closes on destruction.
class ScopedWindow {
public:
  ScopedWindow(ObjectId number, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t flags,
               const char *title = "test");
  ~ScopedWindow();
  ScopedWindow(const ScopedWindow &) = delete;
  ScopedWindow &operator=(const ScopedWindow &) = delete;
  HWND handle() const { return window_; }
  ObjectId number() const { return number_; }

private:
  ObjectId number_;
  HWND window_;
};

// A plain platform push button on a window, with the given identifier.
HWND RawButtonCreate(HWND parent, int32_t id, DWORD extraStyle = 0);
