// A small window with a button, a label and a text field that reports what
// it receives in its title; "Close" or the close box ends it.
#include <cstdio>

#include "toolkit/gadgets/simple_gadgets.h"
#include "toolkit/startup/program_entry.h"
#include "toolkit/windows/event.h"
#include "toolkit/windows/window.h"

namespace {
enum : ObjectId { DEMO_WINDOW = 0, DEMO_CLOSE = 1, DEMO_LABEL = 2, DEMO_FIELD = 3, DEMO_COUNT = 4 };
}

static void DemoMain() {
  HWND window = WindowOpen(DEMO_WINDOW, 100, 100, 360, 140, "Toolkit demo",
                           WINDOW_FLAG_SCREEN_CENTERED | WS_CAPTION | WS_SYSMENU);
  if (window == nullptr)
    return;
  LabelCreate(DEMO_LABEL, 12, 16, 80, 20, "Separator:");
  TextFieldCreate(DEMO_FIELD, 100, 12, 120, 22, ",");
  ButtonCreate(DEMO_COUNT, 12, 60, 100, 28, "Count");
  ButtonCreate(DEMO_CLOSE, 240, 60, 100, 28, "Close");
  int presses = 0;
  for (;;) {
    int32_t event = EventWait();
    if (event == EVENT_CLOSE_WINDOW)
      break;
    if (event != EVENT_GADGET)
      continue;
    if (EventGadgetId() == DEMO_CLOSE)
      break;
    if (EventGadgetId() == DEMO_COUNT) {
      char title[64];
      snprintf(title, sizeof title, "Toolkit demo: %d presses", ++presses);
      SetWindowTextA(window, title);
    }
  }
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  ProgramEntry(DemoMain, nullptr);
}
