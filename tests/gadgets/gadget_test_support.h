// Shared pieces of the gadget tests: a toolkit window to put gadgets on, the
// record of a gadget number, and the gadget text as a std::string.
#pragma once
#include <string>
#include <vector>
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/support/toolkit_env.h"
#include "toolkit/gadgets/gadget.h"
#include "toolkit/gadgets/simple_gadgets.h"
#include "toolkit/strings/string_engine.h"
#include "toolkit/windows/event.h"
#include "toolkit/windows/window.h"

inline GadgetRecord *GadgetRecordOf(ObjectId number) {
  return static_cast<GadgetRecord *>(RegistryLookup(GadgetRegistry, number));
}

inline std::string GadgetText(ObjectId number) {
  int32_t pos = ScratchPos;
  GadgetTextGet(number, pos);
  std::string text(ScratchAt(pos), ScratchPos - pos);
  ScratchSetPos(pos);
  return text;
}

struct GadgetEvent {
  int32_t gadget;
  int32_t type;
  bool operator==(const GadgetEvent &other) const { return gadget == other.gadget && type == other.type; }
};

// Every EVENT_GADGET that EventWait hands out until the queue runs dry.
inline std::vector<GadgetEvent> GadgetEventsDrain() {
  std::vector<GadgetEvent> events;
  for (int32_t round = 0; round < 500; round++) {
    int32_t code = EventWait(100);
    if (code == 0) {
      break;
    }
    if (code == EVENT_GADGET) {
      events.push_back({EventGadgetId(), EventStateRecord->snapshot.EventType});
    }
  }
  return events;
}

// Window 0, visible and current gadget list, opened for each test.
class GadgetWindowTest : public testing::Test {
protected:
  void SetUp() override {
    window = WindowOpen(0, 20, 20, 480, 320, "Gadgets", 0);
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override {
    WindowClose(0);
    PumpPendingMessages();
  }
  HWND window = nullptr;
};
