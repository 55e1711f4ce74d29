// Tab and Shift+Tab focus movement: the walk over a window's controls, the
// wrap-around at both ends, the controls it skips, and the accelerator path
// from the key press through EventWait.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/viewer_list.h"
#include "tests/support/activation_watch.h"
#include "tests/windows/window_input_support.h"
#include "toolkit/gadgets/list_view.h"
#include "toolkit/gadgets/simple_gadgets.h"
#include "toolkit/windows/focus.h"
#include "toolkit/windows/window.h"

namespace {

struct ControlEntry {
  const char *name;
  const char *parent; // null: the window itself
  const char *className;
  DWORD style; // WS_CHILD is always added
  DWORD extendedStyle;
  HWND (*gadgetCreate)(); // instead of a plain control: a gadget of the window
};

const DWORD VISIBLE = WS_VISIBLE;

// The viewer's window: its list, "Start", "Ende", the label and the field,
// with the styles their gadget types give them.
const ControlEntry VIEWER_LAYOUT[] = {
    {"list", nullptr, WC_LISTVIEWA, VIEWER_LIST_STYLE, 0, nullptr},
    {"start", nullptr, "Button", WS_VISIBLE | WS_GROUP | WS_TABSTOP, 0, nullptr},
    {"end", nullptr, "Button", WS_VISIBLE | WS_GROUP | WS_TABSTOP, 0, nullptr},
    {"label", nullptr, "Static", VISIBLE, 0, nullptr},
    {"field", nullptr, "Edit", WS_VISIBLE | WS_GROUP | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, nullptr},
};

// The viewer's own gadgets, placed as the viewer places them.
HWND ViewerListMake() {
  return ViewerListCreate(0);
}
HWND ViewerStartCreate() {
  return ButtonCreate(1, 5, 310, 60, 20, "Start");
}
HWND ViewerEndCreate() {
  return ButtonCreate(2, 160, 310, 60, 20, "Ende");
}
HWND ViewerLabelCreate() {
  return LabelCreate(4, 5, 340, 100, 20, "Feldtrenner (, ;)");
}
HWND ViewerFieldCreate() {
  return TextFieldCreate(5, 105, 340, 40, 20, ",");
}

const ControlEntry VIEWER_GADGETS[] = {
    {"list", nullptr, nullptr, 0, 0, ViewerListMake},     {"start", nullptr, nullptr, 0, 0, ViewerStartCreate},
    {"end", nullptr, nullptr, 0, 0, ViewerEndCreate},     {"label", nullptr, nullptr, 0, 0, ViewerLabelCreate},
    {"field", nullptr, nullptr, 0, 0, ViewerFieldCreate},
};

// Eligible in enumeration order: a, e, inner. Everything else is skipped for
// one of the reasons a control can be: disabled, hidden, no tab stop, inside
// a hidden container; the group box itself is no tab stop.
const ControlEntry MIXED_LAYOUT[] = {
    {"a", nullptr, "Button", VISIBLE | WS_TABSTOP, 0, nullptr},
    {"disabled", nullptr, "Button", VISIBLE | WS_TABSTOP | WS_DISABLED, 0, nullptr},
    {"hidden", nullptr, "Button", WS_TABSTOP, 0, nullptr},
    {"plain", nullptr, "Button", VISIBLE, 0, nullptr},
    {"e", nullptr, "Edit", VISIBLE | WS_TABSTOP | WS_BORDER, 0, nullptr},
    {"group", nullptr, "Static", VISIBLE, 0, nullptr},
    {"inner", "group", "Button", VISIBLE | WS_TABSTOP, 0, nullptr},
    {"shut", nullptr, "Static", 0, 0, nullptr},
    {"shutInner", "shut", "Button", VISIBLE | WS_TABSTOP, 0, nullptr},
};

const ControlEntry SINGLE_LAYOUT[] = {
    {"plain", nullptr, "Button", VISIBLE, 0, nullptr},
    {"only", nullptr, "Button", VISIBLE | WS_TABSTOP, 0, nullptr},
};

const ControlEntry NONE_ELIGIBLE_LAYOUT[] = {
    {"plain", nullptr, "Button", VISIBLE, 0, nullptr},
    {"disabled", nullptr, "Button", VISIBLE | WS_TABSTOP | WS_DISABLED, 0, nullptr},
};

// Start focus, expected focus after Tab, expected focus after Shift+Tab.
// "window" is the window itself, "none" no focus at all.
struct FocusRow {
  const char *start;
  const char *forward;
  const char *backward;
};

const FocusRow VIEWER_ROWS[] = {
    {"start", "end", "list"},      // in the middle
    {"end", "field", "start"},     // in the middle, over the label
    {"field", "list", "end"},      // the last one: wraps forward
    {"list", "start", "field"},    // the first one: wraps backward
    {"window", "list", "field"},   // the window itself
    {"none", "list", "field"},     // nothing focused
    {"label", "label", "field"},   // not a tab stop
    {"header", "header", "field"}, // a part of the list
};

const FocusRow MIXED_ROWS[] = {
    {"a", "e", "inner"},         {"e", "inner", "a"},      {"inner", "a", "e"},    {"plain", "plain", "inner"},
    {"group", "group", "inner"}, {"window", "a", "inner"}, {"none", "a", "inner"},
};

const FocusRow SINGLE_ROWS[] = {
    {"only", "only", "only"},
    {"none", "only", "only"},
    {"plain", "plain", "only"},
};

const FocusRow NONE_ELIGIBLE_ROWS[] = {
    {"none", "none", "none"},
    {"window", "window", "window"},
    {"plain", "plain", "plain"},
};

// Counts the Tab key messages that reach a control.
struct TabTraffic {
  int32_t keyDown;
  int32_t character;
};
TabTraffic TabSeen;

LRESULT CALLBACK TabRecordProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN && wParam == VK_TAB) {
    TabSeen.keyDown++;
  }
  if (message == WM_CHAR && wParam == '\t') {
    TabSeen.character++;
  }
  WNDPROC previous = reinterpret_cast<WNDPROC>(GetPropA(control, "TabRecordPrevious"));
  return CallWindowProcA(previous, control, message, wParam, lParam);
}

BOOL CALLBACK TabRecordInstall(HWND control, LPARAM) {
  if (GetPropA(control, "TabRecordPrevious") == nullptr) {
    LONG_PTR previous = SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TabRecordProc));
    SetPropA(control, "TabRecordPrevious", reinterpret_cast<HANDLE>(previous));
  }
  return TRUE;
}

// One toolkit window with named controls on it, active while it exists.
class FocusWindow {
public:
  FocusWindow(const ControlEntry *layout, size_t count)
      : window_(WindowOpen(WINDOW_NUMBER, 60, 60, 500, 300, "Fokus", WS_CAPTION | WS_SYSMENU)), activation_(window_) {
    int32_t id = 100;
    for (size_t i = 0; i < count; i++) {
      const ControlEntry &entry = layout[i];
      HWND parent = entry.parent != nullptr ? Control(entry.parent) : window_;
      HWND control = entry.gadgetCreate != nullptr
                         ? entry.gadgetCreate()
                         : CreateWindowExA(entry.extendedStyle, entry.className, entry.name, WS_CHILD | entry.style, 10,
                                           10 + 30 * (id - 100), 200, 25, parent,
                                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
      names_.push_back(entry.name);
      controls_.push_back(control);
      id++;
    }
    HWND list = Control("list");
    if (list != nullptr) {
      // A column makes sure the list has its header control.
      LVCOLUMNA column = {};
      column.mask = LVCF_TEXT | LVCF_WIDTH;
      column.cx = 100;
      column.pszText = const_cast<char *>("Spalte");
      SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
      names_.push_back("header");
      controls_.push_back(reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0)));
    }
    EnumChildWindows(window_, TabRecordInstall, 0);
    TestWindowActivate(window_);
  }
  ~FocusWindow() {
    WindowClose(WINDOW_NUMBER);
    EventDrain();
  }

  HWND Handle() const { return window_; }

  // Sets the start focus, runs the action and names the focus afterwards;
  // repeated while another program took the foreground meanwhile.
  template <typename Action> std::string FocusAfter(const char *start, Action action) {
    std::string result = "start focus not taken";
    for (int32_t attempt = 0; attempt < 20; attempt++) {
      if (!TestWindowActivate(window_)) {
        Sleep(50);
        continue;
      }
      activation_.Restart();
      if (!FocusSet(start)) {
        result = "start focus not taken: " + FocusName();
        continue;
      }
      action();
      result = FocusName();
      if (activation_.Undisturbed()) {
        return result;
      }
      Interrupted++;
    }
    return result;
  }

  static int32_t Interrupted;

  HWND Control(const char *name) const {
    for (size_t i = 0; i < names_.size(); i++) {
      if (names_[i] == name) {
        return controls_[i];
      }
    }
    return nullptr;
  }

  // Sets the focus by name and tells whether the platform put it there.
  bool FocusSet(const char *name) {
    if (strcmp(name, "none") == 0) {
      SetFocus(nullptr);
    } else if (strcmp(name, "window") == 0) {
      SetFocus(window_);
    } else {
      SetFocus(Control(name));
    }
    EventDrain();
    return FocusName() == name;
  }

  std::string FocusName() const {
    HWND focus = GetFocus();
    if (focus == nullptr) {
      return "none";
    }
    if (focus == window_) {
      return "window";
    }
    for (size_t i = 0; i < names_.size(); i++) {
      if (controls_[i] == focus) {
        return names_[i];
      }
    }
    return "elsewhere";
  }

private:
  static const ObjectId WINDOW_NUMBER = 7;
  HWND window_;
  ActivationWatch activation_;
  std::vector<std::string> names_;
  std::vector<HWND> controls_;
};

int32_t FocusWindow::Interrupted;

struct LayoutCase {
  const char *name;
  const ControlEntry *layout;
  size_t layoutSize;
  const FocusRow *rows;
  size_t rowCount;
};

#define LAYOUT_CASE(name, layout, rows)                                                                                \
  { name, layout, sizeof(layout) / sizeof(*layout), rows, sizeof(rows) / sizeof(*rows) }

const LayoutCase LAYOUT_CASES[] = {
    LAYOUT_CASE("viewer", VIEWER_LAYOUT, VIEWER_ROWS),
    LAYOUT_CASE("viewer gadgets", VIEWER_GADGETS, VIEWER_ROWS),
    LAYOUT_CASE("mixed", MIXED_LAYOUT, MIXED_ROWS),
    LAYOUT_CASE("single", SINGLE_LAYOUT, SINGLE_ROWS),
    LAYOUT_CASE("none eligible", NONE_ELIGIBLE_LAYOUT, NONE_ELIGIBLE_ROWS),
};

// The two ways to move the focus walk alike; neither lets a control see the
// Tab key, which the accelerator consumes.
struct FocusAction {
  const char *name;
  void (*act)(HWND window, bool backward);
};
const FocusAction FOCUS_ACTIONS[] = {
    {"FocusMove", [](HWND, bool backward) { FocusMove(backward ? 1 : 0); }},
    {"Tab key", [](HWND window, bool backward) { KeyPress(window, VK_TAB, backward); }},
};

TEST(FocusTest, MoveAndTabKeysWalkEligibleControlsBothWays) {
  for (const LayoutCase &layoutCase : LAYOUT_CASES) {
    SCOPED_TRACE(layoutCase.name);
    FocusWindow window(layoutCase.layout, layoutCase.layoutSize);
    for (const FocusAction &action : FOCUS_ACTIONS) {
      for (size_t i = 0; i < layoutCase.rowCount; i++) {
        const FocusRow &row = layoutCase.rows[i];
        for (bool backward : {false, true}) {
          SCOPED_TRACE(std::string(action.name) + " from " + row.start + (backward ? " backward" : " forward"));
          std::string focus = window.FocusAfter(row.start, [&] {
            TabSeen = TabTraffic{};
            action.act(window.Handle(), backward);
          });
          EXPECT_EQ(focus, backward ? row.backward : row.forward);
          EXPECT_EQ(TabSeen.keyDown, 0);
          EXPECT_EQ(TabSeen.character, 0);
        }
      }
    }
  }
  std::printf("key presses: %d real, %d posted; cases repeated after losing the foreground: %d\n", KeyInputCounts.real,
              KeyInputCounts.posted, FocusWindow::Interrupted);
}

TEST(FocusTest, ControlTabIsLeftToTheFocusedControl) {
  FocusWindow window(VIEWER_GADGETS, sizeof(VIEWER_GADGETS) / sizeof(*VIEWER_GADGETS));
  for (const char *start : {"start", "field", "list"}) {
    for (bool shift : {false, true}) {
      SCOPED_TRACE(std::string(start) + (shift ? " ctrl+shift+tab" : " ctrl+tab"));
      std::string focus = window.FocusAfter(start, [&] {
        TabSeen = TabTraffic{};
        KeyPress(window.Handle(), VK_TAB, shift, true);
      });
      EXPECT_EQ(focus, start);
      EXPECT_EQ(TabSeen.keyDown, 1);
    }
  }
}

} // namespace
