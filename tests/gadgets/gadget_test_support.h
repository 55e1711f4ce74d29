// Shared pieces of the gadget tests: a toolkit window to put gadgets on, the
// record of a gadget number, the gadget text as a std::string, and the
// drained form of a gadget event.
#pragma once
#include <string>
#include <vector>
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/support/event_drain.h"
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

// The entry the event drain gives for an EVENT_GADGET.
inline DrainedEvent GadgetEvent(int32_t gadget, int32_t type) {
  return {EVENT_GADGET, gadget, type};
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
    EventDrain();
  }
  HWND window = nullptr;
};
