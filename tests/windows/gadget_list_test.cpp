// The current gadget list: switching between windows hands the saved state
// back and forth, and destroying a window forgets it.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/windows/window_test_support.h"
#include "toolkit/core/module_instance.h"
#include "toolkit/gadgets/gadget.h"
#include "toolkit/gadgets/simple_gadgets.h"
#include "toolkit/windows/gadget_list.h"

namespace {
GadgetListState *State() {
  return GadgetListStateRecord;
}

GadgetStackRecord *StackRecordOf(HWND window) {
  char name[64];
  snprintf(name, sizeof name, "QX_GadgetStack_%lld", static_cast<long long>(reinterpret_cast<INT_PTR>(ModuleInstance)));
  return static_cast<GadgetStackRecord *>(GetPropA(window, name));
}

WNDPROC ProcedureOf(HWND window) {
  return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
}
} // namespace

TEST(GadgetListTest, OpeningAWindowMakesItCurrentUnlessAskedNotTo) {
  ScopedWindow first(40, 0, 0, 100, 80, WS_CAPTION);
  EXPECT_EQ(State()->currentGadgetList, first.handle());
  ScopedWindow aside(41, 0, 0, 100, 80, WS_CAPTION | WINDOW_FLAG_NO_GADGET_LIST);
  EXPECT_EQ(State()->currentGadgetList, first.handle());
  EXPECT_EQ(StackRecordOf(aside.handle()), nullptr);
  EXPECT_EQ(ProcedureOf(aside.handle()), &WindowClassProc);
  EXPECT_EQ(ProcedureOf(first.handle()), &GadgetListSubclassProc);
}

TEST(GadgetListTest, SwitchingHandsTheStackBufferOver) {
  ScopedWindow a(42, 0, 0, 100, 80, WS_CAPTION);
  HWND *buffer = State()->stackBuffer;
  ASSERT_NE(buffer, nullptr);
  EXPECT_EQ(State()->stackDepth, 0);
  EXPECT_EQ(State()->stackCapacity, 10);
  ScopedWindow b(43, 0, 0, 100, 80, WS_CAPTION);
  GadgetStackRecord *recordA = StackRecordOf(a.handle());
  GadgetStackRecord *recordB = StackRecordOf(b.handle());
  ASSERT_NE(recordA, nullptr);
  ASSERT_NE(recordB, nullptr);
  EXPECT_EQ(recordA->window, a.handle());
  EXPECT_EQ(recordA->savedCurrentGadgetList, a.handle());
  EXPECT_EQ(recordA->savedStackBuffer, buffer) << "a's buffer is kept for it";
  EXPECT_EQ(recordA->savedCapacity, 10);
  EXPECT_NE(State()->stackBuffer, nullptr);
  EXPECT_NE(State()->stackBuffer, buffer) << "b got a fresh buffer";

  struct Step {
    HWND window;
    HWND returned;
    HWND current;
  };
  const Step steps[] = {
      {nullptr, b.handle(), b.handle()},    {a.handle(), b.handle(), a.handle()}, {a.handle(), a.handle(), a.handle()},
      {b.handle(), a.handle(), b.handle()}, {a.handle(), b.handle(), a.handle()},
  };
  for (const Step &step : steps) {
    EXPECT_EQ(GadgetListSet(step.window), step.returned);
    EXPECT_EQ(State()->currentGadgetList, step.current);
    EXPECT_NE(State()->stackBuffer, nullptr);
    EXPECT_EQ(StackRecordOf(step.current)->savedStackBuffer, nullptr) << "the current window's buffer is the state's";
  }
  EXPECT_EQ(State()->stackBuffer, buffer) << "a has its own buffer back";
  EXPECT_NE(recordB->savedStackBuffer, nullptr);
  // Subclassed once: the procedure behind the subclass is the class procedure.
  for (HWND window : {a.handle(), b.handle()}) {
    EXPECT_EQ(ProcedureOf(window), &GadgetListSubclassProc);
    EXPECT_EQ(StackRecordOf(window)->previousProcedure, &WindowClassProc);
  }
}

TEST(GadgetListTest, DestroyingCurrentOrRememberedWindows) {
  ScopedWindow a(44, 0, 0, 100, 80, WS_CAPTION);
  HWND b = WindowOpen(45, 0, 0, 100, 80, "", WS_CAPTION);
  HWND c = WindowOpen(46, 0, 0, 100, 80, "", WS_CAPTION);
  // A remembered window goes without touching the current one.
  WindowClose(45);
  EXPECT_FALSE(IsWindow(b));
  EXPECT_EQ(State()->currentGadgetList, c);
  HWND *savedForA = StackRecordOf(a.handle())->savedStackBuffer;
  ASSERT_NE(savedForA, nullptr);
  // The current one goes: there is none until another is made current.
  WindowClose(46);
  EXPECT_EQ(State()->currentGadgetList, nullptr);
  EXPECT_EQ(State()->stackDepth, 0);
  EXPECT_EQ(GadgetListSet(a.handle()), nullptr);
  EXPECT_EQ(State()->currentGadgetList, a.handle());
  EXPECT_EQ(State()->stackBuffer, savedForA);
  EXPECT_EQ(StackRecordOf(a.handle())->savedStackBuffer, nullptr);
}

TEST(GadgetListTest, GadgetsAreCreatedOnTheCurrentWindowAndGoWithIt) {
  ScopedWindow a(47, 0, 0, 200, 120, WS_CAPTION);
  HWND b = WindowOpen(48, 0, 0, 200, 120, "", WS_CAPTION);
  HWND onB = ButtonCreate(20, 5, 5, 60, 20, "b");
  GadgetListSet(a.handle());
  HWND onA = ButtonCreate(21, 5, 5, 60, 20, "a");
  ASSERT_NE(onA, nullptr);
  ASSERT_NE(onB, nullptr);
  EXPECT_EQ(GetParent(onA), a.handle());
  EXPECT_EQ(GetParent(onB), b);
  WindowClose(48);
  EXPECT_FALSE(IsWindow(onB));
  EXPECT_EQ(RegistryLookup(GadgetRegistry, 20), nullptr) << "the closed window's gadget number is free";
  EXPECT_NE(RegistryLookup(GadgetRegistry, 21), nullptr);
}
