// The window procedure: which message becomes which event, what reaches the
// default procedure, and what a gadget's OnParentMessage may consume.
#include <gtest/gtest.h>

#include "tests/windows/window_test_support.h"

#include <commctrl.h>

#include "toolkit/core/module_instance.h"
#include "toolkit/gadgets/gadget.h"
#include "toolkit/gadgets/gadget_forward.h"
#include "toolkit/windows/window_busy_cursor.h"
#include "toolkit/windows/window_title.h"

namespace {
class WindowProcTest : public testing::Test {
protected:
  WindowProcTest() : window_(31, 20, 20, 240, 160, WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX | WS_MINIMIZEBOX) {
    EventDrain();
  }
  HWND window() const { return window_.handle(); }
  ScopedWindow window_;
};

int sysColourNotified;

LRESULT CALLBACK SysColourCounterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SYSCOLORCHANGE)
    ++sysColourNotified;
  return DefWindowProcA(window, message, wParam, lParam);
}

// What the fake gadget's OnParentMessage saw and answers.
struct ParentMessageLog {
  int calls;
  GadgetRecord *gadget;
  HWND parent;
  UINT message;
  LRESULT answer;
} parentLog;

LRESULT FakeOnParentMessage(GadgetRecord *gadget, HWND parent, UINT message, WPARAM, LPARAM) {
  ++parentLog.calls;
  parentLog.gadget = gadget;
  parentLog.parent = parent;
  parentLog.message = message;
  return parentLog.answer;
}

GadgetOps FakeOperations() {
  GadgetOps operations = {};
  operations.type = 99;
  operations.OnParentMessage = FakeOnParentMessage;
  return operations;
}
const GadgetOps fakeOperations = FakeOperations();

// A control entered in the gadget registry by hand, with the given "QX_ID".
struct FakeGadget {
  FakeGadget(HWND parent, ObjectId number, INT_PTR property) : number(number) {
    control = RawButtonCreate(parent, number);
    GadgetRecord *record = static_cast<GadgetRecord *>(RegistryAllocate(GadgetRegistry, number));
    record->window = control;
    record->operations = &fakeOperations;
    SetPropA(control, GADGET_ID_PROPERTY, reinterpret_cast<HANDLE>(property));
  }
  ~FakeGadget() {
    RegistryRelease(GadgetRegistry, number);
    RemovePropA(control, GADGET_ID_PROPERTY);
    DestroyWindow(control);
  }
  ObjectId number;
  HWND control;
};
} // namespace

TEST_F(WindowProcTest, SentMessagesQueueWindowEventsWithTailCoalescing) {
  struct Case {
    const char *name;
    std::vector<UINT> messages;
    std::vector<int32_t> queued;
  };
  const Case cases[] = {
      {"two closes", {WM_CLOSE, WM_CLOSE}, {EVENT_CLOSE_WINDOW}},
      {"close move close", {WM_CLOSE, WM_MOVE, WM_CLOSE}, {EVENT_CLOSE_WINDOW, EVENT_MOVE_WINDOW, EVENT_CLOSE_WINDOW}},
      {"burst of moves", {WM_MOVE, WM_MOVE, WM_MOVE}, {EVENT_MOVE_WINDOW}},
      {"activate", {WM_ACTIVATE}, {EVENT_ACTIVATE_WINDOW}},
      {"unrelated", {WM_USER, WM_NULL}, {}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    for (UINT message : c.messages)
      SendMessageA(window(), message, message == WM_ACTIVATE ? WA_ACTIVE : 0, 0);
    std::vector<QueuedEvent> expected;
    for (int32_t code : c.queued)
      expected.push_back({code, 31});
    EXPECT_EQ(EventQueueContents(), expected);
    EventDrain();
  }
}

TEST_F(WindowProcTest, ResultsAndDefaultProcedure) {
  struct Case {
    const char *name;
    UINT message;
    WPARAM wParam;
    LRESULT result;
    std::vector<int32_t> queued;
  };
  const Case cases[] = {
      {"activation never reaches the default", WM_ACTIVATE, WA_ACTIVE, 1, {EVENT_ACTIVATE_WINDOW}},
      {"deactivation", WM_ACTIVATE, WA_INACTIVE, 1, {}},
      {"close", WM_CLOSE, 0, 0, {EVENT_CLOSE_WINDOW}},
      {"move", WM_MOVE, 0, 0, {EVENT_MOVE_WINDOW}},
      {"size of another kind", WM_SIZE, SIZE_MAXSHOW, 0, {EVENT_SIZE_WINDOW}},
      // The default procedure erases with the class brush and answers 1.
      {"erase background", WM_ERASEBKGND, 0, 1, {EVENT_REPAINT}},
      // Unhandled: the default procedure's answer for a sent WM_SETTEXT.
      {"default", WM_SETTEXT, 0, TRUE, {}},
  };
  HDC context = GetDC(window());
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    WPARAM wParam = c.message == WM_ERASEBKGND ? reinterpret_cast<WPARAM>(context) : c.wParam;
    LPARAM lParam = c.message == WM_SETTEXT ? reinterpret_cast<LPARAM>("changed") : 0;
    EXPECT_EQ(SendMessageA(window(), c.message, wParam, lParam), c.result);
    EXPECT_EQ(EventQueueCodes(
                  {EVENT_MOVE_WINDOW, EVENT_SIZE_WINDOW, EVENT_REPAINT, EVENT_CLOSE_WINDOW, EVENT_ACTIVATE_WINDOW}),
              c.queued);
    EventDrain();
  }
  ReleaseDC(window(), context);
  char title[16];
  GetWindowTextA(window(), title, sizeof title);
  EXPECT_STREQ(title, "changed");
}

TEST_F(WindowProcTest, MaximiseRestoreMinimiseOrders) {
  struct Case {
    const char *name;
    int command;
    std::vector<int32_t> queued;
    int32_t minimisedOrMaximised;
  };
  const Case cases[] = {
      {"maximise", SW_MAXIMIZE, {EVENT_MAXIMIZE_WINDOW, EVENT_SIZE_WINDOW}, 1},
      {"restore", SW_RESTORE, {EVENT_RESTORE_WINDOW, EVENT_SIZE_WINDOW}, 0},
      {"minimise", SW_MINIMIZE, {EVENT_MINIMIZE_WINDOW}, 1},
      {"restore from minimised", SW_RESTORE, {EVENT_RESTORE_WINDOW, EVENT_SIZE_WINDOW}, 0},
      {"resize while normal", -1, {EVENT_SIZE_WINDOW}, 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    if (c.command == -1)
      SetWindowPos(window(), nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    else
      ShowWindow(window(), c.command);
    EXPECT_EQ(EventQueueCodes({EVENT_SIZE_WINDOW, EVENT_MINIMIZE_WINDOW, EVENT_MAXIMIZE_WINDOW, EVENT_RESTORE_WINDOW}),
              c.queued);
    EXPECT_EQ(static_cast<WindowRecord *>(RegistryLookup(WindowRegistry, 31))->minimisedOrMaximised,
              c.minimisedOrMaximised);
    EventDrain();
  }
}

TEST_F(WindowProcTest, ChildWindowAndUnnumberedWindow) {
  HWND child = RawButtonCreate(window(), 5);
  EventDrain();
  // A control's messages are found to belong to the window above it...
  EXPECT_EQ(WindowEventProc(child, WM_MOVE, 0, 0), 0);
  // ...but only a numbered window itself produces size events.
  EXPECT_EQ(WindowEventProc(child, WM_SIZE, SIZE_RESTORED, 0), 1);
  EXPECT_EQ(EventQueueContents(), (std::vector<QueuedEvent>{{EVENT_MOVE_WINDOW, 31}}));
  EventDrain();

  HWND stranger = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, ModuleInstance, nullptr);
  struct Case {
    UINT message;
    WPARAM wParam;
    LRESULT result;
    std::vector<QueuedEvent> queued;
  };
  const Case cases[] = {
      {WM_MOVE, 0, 0, {}},
      {WM_CLOSE, 0, 0, {}},
      {WM_SIZE, SIZE_MAXIMIZED, 1, {}},
      {WM_ACTIVATE, WA_CLICKACTIVE, 1, {{EVENT_ACTIVATE_WINDOW, -1}}},
      {WM_GETMINMAXINFO, 0, PROC_DEFAULT, {}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.message);
    MINMAXINFO limits = {};
    EXPECT_EQ(WindowEventProc(stranger, c.message, c.wParam, reinterpret_cast<LPARAM>(&limits)), c.result);
    EXPECT_EQ(EventWorking().window, -1);
    EXPECT_EQ(EventQueueContents(), c.queued);
    EventDrain();
  }
  DestroyWindow(stranger);
  DestroyWindow(child);
}

TEST_F(WindowProcTest, SystemColourChangeReachesEveryDescendant) {
  WNDCLASSA counting = {};
  counting.lpfnWndProc = SysColourCounterProc;
  counting.hInstance = ModuleInstance;
  counting.lpszClassName = "SysColourCounter";
  RegisterClassA(&counting);
  HWND child =
      CreateWindowExA(0, "SysColourCounter", "", WS_CHILD, 0, 0, 10, 10, window(), nullptr, ModuleInstance, nullptr);
  CreateWindowExA(0, "SysColourCounter", "", WS_CHILD, 0, 0, 5, 5, child, nullptr, ModuleInstance, nullptr);
  sysColourNotified = 0;
  SendMessageA(window(), WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_EQ(sysColourNotified, 2);
  DestroyWindow(child);
  UnregisterClassA("SysColourCounter", ModuleInstance);
}

TEST_F(WindowProcTest, ToolWindowsMayBeOnePixelNarrow) {
  ScopedWindow tool(32, 10, 10, 100, 60, WINDOW_FLAG_TOOL);
  struct Case {
    HWND window;
    LONG minimumWidth;
  };
  const Case cases[] = {{tool.handle(), 1}, {window(), 55}};
  for (const Case &c : cases) {
    MINMAXINFO limits = {};
    limits.ptMinTrackSize.x = 55;
    EXPECT_EQ(SendMessageA(c.window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits)), 0);
    EXPECT_EQ(limits.ptMinTrackSize.x, c.minimumWidth);
  }
}

TEST_F(WindowProcTest, CommandsBecomeGadgetAndMenuEventsOrFocusMoves) {
  HWND button = RawButtonCreate(window(), 7);
  FakeGadget consuming(window(), 33, 33);
  FakeGadget passing(window(), 34, 34);
  // Carries gadget 33's identifier but is another control, not that gadget.
  HWND foreign = RawButtonCreate(window(), 33);
  EventDrain();
  struct Case {
    const char *name;
    WPARAM wParam;
    HWND control;
    LRESULT answer; // of the fake gadget
    int32_t code;
    int32_t gadget;
    int32_t eventType;
    int parentCalls;
  };
  const int32_t NOTHING = -99;
  const Case cases[] = {
      {"button click", MAKEWPARAM(7, BN_CLICKED), button, 0, EVENT_GADGET, 7, BN_CLICKED, 0},
      {"other notification", MAKEWPARAM(7, BN_SETFOCUS), button, 0, EVENT_GADGET, 7, BN_SETFOCUS, 0},
      {"menu command", MAKEWPARAM(55, 0), nullptr, 0, EVENT_MENU, 55, -1, 0},
      {"accelerator command", MAKEWPARAM(500, 1), nullptr, 0, EVENT_MENU, 500, -1, 0},
      {"focus next", MAKEWPARAM(CMD_FOCUS_NEXT, 1), nullptr, 0, WM_COMMAND, NOTHING, -1, 0},
      {"focus previous", MAKEWPARAM(CMD_FOCUS_PREVIOUS, 1), nullptr, 0, WM_COMMAND, NOTHING, -1, 0},
      {"consumed by the gadget", MAKEWPARAM(33, EN_CHANGE), consuming.control, 77, WM_COMMAND, NOTHING, -1, 1},
      {"consumed with zero", MAKEWPARAM(33, EN_CHANGE), consuming.control, 0, WM_COMMAND, NOTHING, -1, 1},
      {"left to the window", MAKEWPARAM(34, EN_CHANGE), passing.control, PROC_DEFAULT, EVENT_GADGET, 34, EN_CHANGE, 1},
      {"not a toolkit control", MAKEWPARAM(33, EN_CHANGE), foreign, 77, EVENT_GADGET, 33, EN_CHANGE, 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    parentLog = {};
    parentLog.answer = c.answer;
    int32_t gadgetBefore = EventGadgetId();
    PostMessageA(window(), WM_COMMAND, c.wParam, reinterpret_cast<LPARAM>(c.control));
    EXPECT_EQ(EventWait(0), c.code);
    EXPECT_EQ(EventGadgetId(), c.gadget == NOTHING ? gadgetBefore : c.gadget);
    EXPECT_EQ(EventSnapshot().EventType, c.eventType);
    EXPECT_EQ(parentLog.calls, c.parentCalls);
    if (c.parentCalls != 0) {
      EXPECT_EQ(parentLog.gadget, RegistryLookup(GadgetRegistry, static_cast<ObjectId>(LOWORD(c.wParam))));
      EXPECT_EQ(parentLog.parent, window());
      EXPECT_EQ(parentLog.message, static_cast<UINT>(WM_COMMAND));
    }
    EventDrain();
  }
  // The gadget's answer goes back to the sender; no event is left pending.
  parentLog.answer = 77;
  EXPECT_EQ(SendMessageA(window(), WM_COMMAND, MAKEWPARAM(33, EN_CHANGE), reinterpret_cast<LPARAM>(consuming.control)),
            0);
  EXPECT_EQ(EventWorking().pendingCode, 0);
  DestroyWindow(button);
}

TEST_F(WindowProcTest, ControlMessagesAreForwardedToTheirGadget) {
  FakeGadget gadget(window(), 0, 0);
  HWND stranger = RawButtonCreate(window(), 0); // identifier 0, no "QX_ID"
  NMHDR header = {gadget.control, 0, NM_CLICK};
  NMHDR strangerHeader = {stranger, 0, NM_CLICK};
  const LPARAM control = reinterpret_cast<LPARAM>(gadget.control);
  struct Case {
    const char *name;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    int parentCalls;
  };
  const Case cases[] = {
      {"notify", WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header), 1},
      {"notify from a stranger with identifier 0", WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&strangerHeader), 0},
      {"horizontal scroll", WM_HSCROLL, 0, control, 1},
      {"vertical scroll", WM_VSCROLL, 0, control, 1},
      {"edit colour", WM_CTLCOLOREDIT, 0, control, 1},
      {"list box colour", WM_CTLCOLORLISTBOX, 0, control, 1},
      {"button colour", WM_CTLCOLORBTN, 0, control, 1},
      {"static colour", WM_CTLCOLORSTATIC, 0, control, 1},
      {"stranger's colour", WM_CTLCOLORSTATIC, 0, reinterpret_cast<LPARAM>(stranger), 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    parentLog = {};
    parentLog.answer = 1234;
    LRESULT result = SendMessageA(window(), c.message, c.wParam, c.lParam);
    EXPECT_EQ(parentLog.calls, c.parentCalls);
    if (c.parentCalls != 0) {
      EXPECT_EQ(result, 1234);
      EXPECT_EQ(parentLog.message, c.message);
    }
  }
  EXPECT_EQ(GadgetForwardMessage(nullptr, window(), WM_COMMAND, 0, 0), PROC_DEFAULT);
  DestroyWindow(stranger);
}

// After busy work the cursor is the one for where the mouse is then (here a
// field's, though the arrow was shown before), and a title changed during
// the work is the one from before.
TEST_F(WindowProcTest, AfterBusyWorkTheCursorIsForWhereTheMouseIsAndTheTitleAsBefore) {
  HWND field = CreateWindowExA(0, "Edit", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 20, window(), nullptr, ModuleInstance,
                               nullptr);
  ASSERT_NE(field, nullptr);
  SetWindowTextA(window(), "vorher");
  POINT point = {60, 20};
  ClientToScreen(window(), &point);
  ASSERT_TRUE(SetCursorPos(point.x, point.y));
  ASSERT_EQ(WindowFromPoint(point), field);
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  WindowBusyCursorSet(1);
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_APPSTARTING));
  WindowTitleKeep(31);
  WindowTitleSet(31, "12 Zeilen");
  WindowBusyCursorSet(0);
  WindowTitleRestore(31);
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_IBEAM));
  char title[32] = "";
  GetWindowTextA(window(), title, sizeof title);
  EXPECT_STREQ(title, "vorher");
  DestroyWindow(field);
}
