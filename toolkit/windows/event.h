// The event wait and the window procedure that turns messages into events.
#pragma once
#include <cstdint>
#include <windows.h>

enum : int32_t {
  EVENT_NONE = 0,
  EVENT_MOVE_WINDOW = 3,
  EVENT_SIZE_WINDOW = 5,
  EVENT_REPAINT = 15,
  EVENT_CLOSE_WINDOW = 16,
  EVENT_GADGET = 13100,
  EVENT_MENU = 13101,
  EVENT_ACTIVATE_WINDOW = 13104,
  EVENT_MINIMIZE_WINDOW = 13107,
  EVENT_MAXIMIZE_WINDOW = 13108,
  EVENT_RESTORE_WINDOW = 13109,
  EVENT_DROP_FILE = 13110, // files dropped on a window; the name: EventDroppedFile
  EVENT_FIND = 13111,      // Find Next in a window's Find dialog: EventFindText
};
enum : UINT { MSG_GADGET_EVENT = 13103 };
// Answer of a procedure stage that leaves the message to the default.
const LRESULT PROC_DEFAULT = static_cast<LRESULT>(static_cast<int32_t>(0xD0D0D0D1u));

struct EventFields {
  int32_t gadget;
  int32_t window;
  int32_t EventType;
  int32_t pendingCode;
  uint32_t messageWParam;
  int32_t messageLParam;
};

struct EventQueueNode {
  EventQueueNode *next;
  int32_t code;
  int32_t window;
  // A gadget event queued by EventPump carries its gadget and type, which go
  // back into the working fields when the event is handed out; 0 otherwise.
  int32_t carriesGadget;
  int32_t gadget;
  int32_t EventType;
};

struct EventState {
  EventFields working;
  EventFields snapshot;
  EventQueueNode *queueHead;
  EventQueueNode *queueTail;
  // Non-zero while EventPump runs: gadget events then go into the queue
  // whole, however they arrive, so that none overwrites another.
  int32_t pumping;
};

// Created by WindowLibraryStartup; reach it through LibraryStateGet.
extern EventState *EventStateRecord;

int32_t EventWait(int32_t timeout = -1);
int32_t EventGadgetId();
// The sub-type of the last gadget event (a gadget's GADGET_EVENT_ value).
int32_t EventGadgetType();
void EventQueuePush(int32_t code, int32_t window);

LRESULT CALLBACK WindowClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT WindowEventProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
