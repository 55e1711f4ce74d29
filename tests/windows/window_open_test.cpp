// Opening and closing numbered windows: styles, placement, number reuse and
// what a closed number leaves behind.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "tests/windows/window_test_support.h"
#include "toolkit/core/module_instance.h"
#include "toolkit/windows/gadget_list.h"
#include "toolkit/windows/window_class.h"
#include "toolkit/windows/window_style.h"

namespace {
// The application's flags: title bar, system menu, centred on the screen.
const uint32_t APPLICATION_FLAGS = WINDOW_FLAG_SCREEN_CENTERED | WS_CAPTION | WS_SYSMENU;
static_assert(APPLICATION_FLAGS == 0xC80001, "the application's window flags");
// The platform marks the last entry of an accelerator table in its flags.
const BYTE LAST_ACCELERATOR = 0x80;

std::string ClassNameOf(ObjectId number) {
  char name[32];
  snprintf(name, sizeof name, WINDOW_CLASS_NAME_FORMAT, number);
  return name;
}

bool IsToolkitClass(const char *name) {
  int32_t number;
  return sscanf(name, WINDOW_CLASS_NAME_FORMAT, &number) == 1;
}

bool ClassExists(ObjectId number) {
  WNDCLASSA info;
  return GetClassInfoA(ModuleInstance, ClassNameOf(number).c_str(), &info) != 0;
}

RECT OuterRect(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  return rect;
}

WindowRecord *RecordOf(ObjectId number) {
  return static_cast<WindowRecord *>(RegistryLookup(WindowRegistry, number));
}

std::vector<std::string> hookLog;
HWND hookWatched;
std::vector<std::string> destroyedWindows;

LRESULT CALLBACK CreationOrderHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_DESTROYWND && reinterpret_cast<HWND>(wParam) == hookWatched) {
    hookLog.push_back(GetPropA(hookWatched, WINDOW_ID_PROPERTY) == nullptr ? "destroy unnumbered" : "destroy numbered");
  } else if (code == HCBT_CREATEWND) {
    // Only the toolkit's classes: the platform creates helper windows too.
    const char *name = reinterpret_cast<CBT_CREATEWNDA *>(lParam)->lpcs->lpszClass;
    if (!IS_INTRESOURCE(name) && IsToolkitClass(name)) {
      hookLog.push_back(std::string("create ") + name);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK DestructionHook(int code, WPARAM wParam, LPARAM lParam) {
  char name[64] = "";
  if (code == HCBT_DESTROYWND && GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name) != 0 &&
      IsToolkitClass(name)) {
    destroyedWindows.push_back(name);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
} // namespace

TEST(WindowStyleTest, FlagsBecomeStyleExtendedStyleAndVisibility) {
  struct Case {
    uint32_t flags;
    DWORD style;
    DWORD extendedStyle;
    bool visible;
    bool keepGadgetList;
  };
  const Case cases[] = {
      {0, WS_CAPTION, 0, true, false},
      {WINDOW_FLAG_SCREEN_CENTERED, WS_CAPTION, 0, true, false},
      {WINDOW_FLAG_WINDOW_CENTERED | WINDOW_FLAG_INVISIBLE, WS_CAPTION, 0, false, false},
      {WS_SYSMENU, WS_SYSMENU, 0, true, false},
      {APPLICATION_FLAGS, WS_CAPTION | WS_SYSMENU, 0, true, false},
      {WINDOW_FLAG_NO_GADGET_LIST, WS_CAPTION, 0, true, true},
      {WINDOW_FLAG_TOOL, WS_CAPTION, WS_EX_TOOLWINDOW, true, false},
      {WINDOW_FLAG_TOOL | WS_MAXIMIZE | WS_MINIMIZE | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_SYSMENU,
       WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW, true, false},
      {WINDOW_FLAG_INVISIBLE | WS_MAXIMIZE, WS_MAXIMIZE, 0, false, false},
      {WS_POPUP | WS_BORDER, WS_POPUP | WS_BORDER, 0, true, false},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.flags);
    WindowStyle style = WindowStyleFromFlags(c.flags);
    EXPECT_EQ(style.style, c.style);
    EXPECT_EQ(style.extendedStyle, c.extendedStyle);
    EXPECT_EQ(style.visible, c.visible);
    EXPECT_EQ(style.keepGadgetList, c.keepGadgetList);
  }
}

TEST(WindowStyleTest, PlacementWithoutAnActiveWindow) {
  const int32_t screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int32_t screenHeight = GetSystemMetrics(SM_CYSCREEN);
  struct Case {
    const char *name;
    int32_t x;
    int32_t y;
    uint32_t flags;
    int32_t placedX;
    int32_t placedY;
  };
  // A popup has no frame, so its outer size is the inner 100 x 60.
  const Case cases[] = {
      {"default x", WINDOW_POS_DEFAULT, 200, WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT},
      {"default y", 10, WINDOW_POS_DEFAULT, WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT},
      {"window-centred keeps the default value", WINDOW_POS_DEFAULT, 200, WINDOW_FLAG_WINDOW_CENTERED | WS_POPUP,
       WINDOW_POS_DEFAULT, 200},
      {"window-centred keeps x and y", 30, 40, WINDOW_FLAG_WINDOW_CENTERED | WS_POPUP, 30, 40},
      {"screen-centred", WINDOW_POS_DEFAULT, WINDOW_POS_DEFAULT, WINDOW_FLAG_SCREEN_CENTERED | WS_POPUP,
       (screenWidth - 100) / 2, (screenHeight - 60) / 2},
  };
  // A thread of its own has no active window.
  std::vector<WindowPlacement> placements;
  bool activeWindowSeen = false;
  std::thread([&] {
    activeWindowSeen = GetActiveWindow() != nullptr;
    for (const Case &c : cases) {
      placements.push_back(WindowPlacementCompute(c.x, c.y, 100, 60, c.flags, WindowStyleFromFlags(c.flags)));
    }
  }).join();
  ASSERT_FALSE(activeWindowSeen);
  for (size_t i = 0; i < placements.size(); ++i) {
    SCOPED_TRACE(cases[i].name);
    EXPECT_EQ(placements[i].x, cases[i].placedX);
    EXPECT_EQ(placements[i].y, cases[i].placedY);
    EXPECT_EQ(placements[i].width, 100);
    EXPECT_EQ(placements[i].height, 60);
  }
}

TEST(WindowOpenTest, OpenWindowCarriesNumberClassAcceleratorsAndInnerSize) {
  ScopedWindow window(3, 40, 50, 321, 123, 0, nullptr);
  ASSERT_NE(window.handle(), nullptr);
  EXPECT_EQ(reinterpret_cast<INT_PTR>(GetPropA(window.handle(), WINDOW_ID_PROPERTY)), 4);
  EXPECT_TRUE(ClassExists(3));
  char className[64];
  GetClassNameA(window.handle(), className, sizeof className);
  EXPECT_EQ(className, ClassNameOf(3));
  EXPECT_EQ(GetClassLongPtrA(window.handle(), GCL_STYLE), static_cast<ULONG_PTR>(CS_DBLCLKS));
  EXPECT_EQ(GetClassLongPtrA(window.handle(), GCLP_HBRBACKGROUND), static_cast<ULONG_PTR>(COLOR_BTNFACE + 1));
  EXPECT_EQ(GetWindowTextLengthA(window.handle()), 0) << "a null title is the empty title";
  EXPECT_TRUE(IsWindowVisible(window.handle()));

  RECT inner;
  GetClientRect(window.handle(), &inner);
  EXPECT_EQ(inner.right, 321);
  EXPECT_EQ(inner.bottom, 123);
  RECT outer = OuterRect(window.handle());
  EXPECT_EQ(outer.left, 40);
  EXPECT_EQ(outer.top, 50);
  EXPECT_EQ(GetWindowLongPtrA(window.handle(), GWL_STYLE) & WS_CAPTION, WS_CAPTION);

  WindowRecord *record = RecordOf(3);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->window, window.handle());
  EXPECT_EQ(record->acceleratorCount, 2);
  EXPECT_EQ(record->minimisedOrMaximised, 0);
  ACCEL entries[4] = {};
  ASSERT_EQ(CopyAcceleratorTableA(record->acceleratorTable, entries, 4), 2);
  EXPECT_EQ(entries[0].fVirt & ~LAST_ACCELERATOR, FVIRTKEY | FNOINVERT);
  EXPECT_EQ(entries[0].key, VK_TAB);
  EXPECT_EQ(entries[0].cmd, CMD_FOCUS_NEXT);
  EXPECT_EQ(entries[1].fVirt & ~LAST_ACCELERATOR, FVIRTKEY | FNOINVERT | FSHIFT);
  EXPECT_EQ(entries[1].key, VK_TAB);
  EXPECT_EQ(entries[1].cmd, CMD_FOCUS_PREVIOUS);
}

TEST(WindowOpenTest, PlatformStylesShowStatesAndMinimisedOrMaximisedFlag) {
  struct Case {
    const char *name;
    uint32_t flags;
    bool visible;
    bool zoomed;
    bool iconic;
    int32_t minimisedOrMaximised;
    bool toolWindow;
  };
  const Case cases[] = {
      {"plain", WS_SYSMENU | WS_CAPTION, true, false, false, 0, false},
      {"invisible", WINDOW_FLAG_INVISIBLE | WS_CAPTION, false, false, false, 0, false},
      {"maximised", WS_CAPTION | WS_MAXIMIZEBOX | WS_MAXIMIZE, true, true, false, 1, false},
      // Hidden, but its style already says maximised.
      {"maximised invisible", WINDOW_FLAG_INVISIBLE | WS_CAPTION | WS_MAXIMIZE, false, true, false, 1, false},
      {"minimised", WS_CAPTION | WS_MINIMIZEBOX | WS_MINIMIZE, true, false, true, 1, false},
      {"tool maximised", WINDOW_FLAG_TOOL | WS_MAXIMIZE, true, false, false, 0, true},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    ScopedWindow window(4, 30, 30, 200, 100, c.flags);
    ASSERT_NE(window.handle(), nullptr);
    EXPECT_EQ(IsWindowVisible(window.handle()) != 0, c.visible);
    EXPECT_EQ(IsZoomed(window.handle()) != 0, c.zoomed);
    EXPECT_EQ(IsIconic(window.handle()) != 0, c.iconic);
    EXPECT_EQ(RecordOf(4)->minimisedOrMaximised, c.minimisedOrMaximised);
    LONG_PTR extended = GetWindowLongPtrA(window.handle(), GWL_EXSTYLE);
    EXPECT_EQ((extended & WS_EX_TOOLWINDOW) != 0, c.toolWindow);
    if (c.toolWindow) {
      EXPECT_EQ(GetWindowLongPtrA(window.handle(), GWL_STYLE) & WS_CAPTION, WS_CAPTION);
    }
  }
}

// A popup has no frame, so its inner size is its outer size; an overlapped
// window gets a caption and keeps the inner size asked for.
TEST(WindowOpenTest, PlacementOfTheOuterRectangle) {
  const int32_t sw = GetSystemMetrics(SM_CXSCREEN);
  const int32_t sh = GetSystemMetrics(SM_CYSCREEN);
  // The active window while each row opens.
  ScopedWindow anchor(7, 200, 150, 300, 200, WS_POPUP);
  const RECT on = OuterRect(anchor.handle());
  const uint32_t ON_ACTIVE = WINDOW_FLAG_WINDOW_CENTERED | WS_POPUP;
  enum Where { AT, SCREEN_CENTRED, PLATFORM_PLACED };
  struct Case {
    const char *name;
    int32_t x, y, width, height;
    uint32_t flags;
    Where where;
    RECT outer; // where the row says AT
  };
  const Case cases[] = {
      // A style without WS_CAPTION is visible only on a popup window.
      {"popup without caption", 10, 10, 100, 60, WS_POPUP | WS_SYSMENU, AT, {10, 10, 110, 70}},
      {"screen-centred", 100, 100, 500, 400, APPLICATION_FLAGS, SCREEN_CENTRED, {}},
      // Both centrings: the screen wins; larger than the screen: cut to it.
      {"cut to the screen", 7, 7, sw * 2, sh * 2, ON_ACTIVE | WINDOW_FLAG_SCREEN_CENTERED, AT, {0, 0, sw, sh}},
      {"on the active window", 0, 0, 100, 50, ON_ACTIVE, AT, {on.left + 100, on.top + 75, on.left + 200, on.top + 125}},
      // Larger than the active window near the corner: clamped at 0, not cut.
      {"clamped at 0", 0, 0, 1000, 800, ON_ACTIVE, AT, {0, 0, 1000, 800}},
      {"default position replaces both coordinates", WINDOW_POS_DEFAULT, 200, 120, 80, WS_CAPTION, PLATFORM_PLACED, {}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    SetActiveWindow(anchor.handle());
    ASSERT_EQ(GetActiveWindow(), anchor.handle());
    ScopedWindow window(8, c.x, c.y, c.width, c.height, c.flags);
    ASSERT_NE(window.handle(), nullptr);
    RECT outer = OuterRect(window.handle());
    RECT inner;
    GetClientRect(window.handle(), &inner);
    if (c.where == AT) {
      EXPECT_TRUE(EqualRect(&outer, &c.outer))
          << outer.left << "," << outer.top << " " << outer.right << "," << outer.bottom;
    } else if (c.where == SCREEN_CENTRED) {
      EXPECT_EQ(outer.left, (sw - (outer.right - outer.left)) / 2);
      EXPECT_EQ(outer.top, (sh - (outer.bottom - outer.top)) / 2);
    } else {
      EXPECT_GT(outer.left, WINDOW_POS_DEFAULT + 1000);
      EXPECT_GE(outer.top, 0);
    }
    bool popup = (c.flags & WS_POPUP) != 0;
    EXPECT_EQ(inner.right, popup ? outer.right - outer.left : c.width);
    EXPECT_EQ(inner.bottom, popup ? outer.bottom - outer.top : c.height);
    EXPECT_EQ(GetWindowLongPtrA(window.handle(), GWL_STYLE) & WS_CAPTION, popup ? 0 : WS_CAPTION);
  }
}

TEST(WindowOpenTest, ReopeningANumberClosesTheOldWindowFirst) {
  // The old window's destruction, without its number, comes before the new
  // window's creation.
  hookLog.clear();
  hookWatched = WindowOpen(11, 10, 10, 100, 50, "first", WS_CAPTION);
  ASSERT_NE(hookWatched, nullptr);
  HHOOK hook = SetWindowsHookExA(WH_CBT, CreationOrderHook, nullptr, GetCurrentThreadId());
  HWND second = WindowOpen(11, 10, 10, 100, 50, "second", WS_CAPTION);
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(hookLog, (std::vector<std::string>{"destroy unnumbered", "create " + ClassNameOf(11)}));
  EXPECT_FALSE(IsWindow(hookWatched));
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(RecordOf(11)->window, second);
  EXPECT_TRUE(ClassExists(11));
  WindowClose(11);
}

TEST(WindowOpenTest, ClosingLeavesTheNumberFreeAndIsHarmlessTwice) {
  HWND window = WindowOpen(12, 10, 10, 100, 50, "x", WS_CAPTION);
  ASSERT_NE(window, nullptr);
  WindowClose(12);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(RecordOf(12), nullptr);
  EXPECT_FALSE(ClassExists(12));
  WindowClose(12);
  WindowClose(99);
  WindowClose(-1);
  EXPECT_EQ(RecordOf(12), nullptr);
}

TEST(WindowOpenTest, RefusedCreationLeavesTheNumberFree) {
  struct Case {
    const char *name;
    ObjectId number;
    uint32_t flags;
  };
  // A child style without a parent is refused by the platform.
  const Case cases[] = {{"negative number", -1, WS_CAPTION}, {"refused by the platform", 13, WS_CHILD}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    HWND old = c.number >= 0 ? WindowOpen(c.number, 10, 10, 100, 50, "old", WS_CAPTION) : nullptr;
    EXPECT_EQ(WindowOpen(c.number, 10, 10, 100, 50, "new", c.flags), nullptr);
    EXPECT_EQ(RecordOf(c.number), nullptr);
    EXPECT_FALSE(ClassExists(c.number));
    if (old != nullptr) {
      EXPECT_FALSE(IsWindow(old)) << "the old window goes even when its successor fails";
    }
  }
}

TEST(WindowOpenTest, ShutdownClosesEveryWindowInAscendingOrder) {
  destroyedWindows.clear();
  for (ObjectId number : {21, 14, 17}) {
    ASSERT_NE(WindowOpen(number, 0, 0, 50, 50, "", WS_CAPTION), nullptr);
  }
  HHOOK hook = SetWindowsHookExA(WH_CBT, DestructionHook, nullptr, GetCurrentThreadId());
  WindowLibraryShutdown();
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(destroyedWindows, (std::vector<std::string>{ClassNameOf(14), ClassNameOf(17), ClassNameOf(21)}));
  for (ObjectId number : {14, 17, 21}) {
    EXPECT_EQ(RecordOf(number), nullptr);
  }
}
