#include "tests/windows/window_test_support.h"

#include <algorithm>

#include "tests/support/message_names.h"
#include "toolkit/core/module_instance.h"

void PrintTo(const QueuedEvent &event, std::ostream *out) {
  *out << EventName(event.code) << " of window " << event.window;
}

std::vector<QueuedEvent> EventQueueContents() {
  std::vector<QueuedEvent> events;
  for (EventQueueNode *node = EventStateRecord->queueHead; node != nullptr; node = node->next)
    events.push_back({node->code, node->window});
  return events;
}

std::vector<int32_t> EventQueueCodes(const std::vector<int32_t> &wanted) {
  std::vector<int32_t> codes;
  for (const QueuedEvent &event : EventQueueContents())
    if (std::find(wanted.begin(), wanted.end(), event.code) != wanted.end())
      codes.push_back(event.code);
  return codes;
}

EventFields EventSnapshot() {
  return EventStateRecord->snapshot;
}
EventFields EventWorking() {
  return EventStateRecord->working;
}

ScopedWindow::ScopedWindow(ObjectId number, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t flags,
                           const char *title)
    : number_(number), window_(WindowOpen(number, x, y, width, height, title, flags)) {}

ScopedWindow::~ScopedWindow() {
  WindowClose(number_);
}

HWND RawButtonCreate(HWND parent, int32_t id, DWORD extraStyle) {
  HWND button = CreateWindowExA(0, "Button", "raw", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | extraStyle, 10, 10, 80, 24,
                                parent, nullptr, ModuleInstance, nullptr);
  SetWindowLongPtrA(button, GWLP_ID, id);
  return button;
}
