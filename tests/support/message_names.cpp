#include "tests/support/message_names.h"

#include <cstdio>

#include "toolkit/windows/event.h"

namespace {
struct NamedValue {
  UINT value;
  const char *name;
};

#define NAMED(value)                                                                                                   \
  { value, #value }
const NamedValue MESSAGE_NAMES[] = {
    NAMED(WM_NULL),
    NAMED(WM_CREATE),
    NAMED(WM_DESTROY),
    NAMED(WM_MOVE),
    NAMED(WM_SIZE),
    NAMED(WM_ACTIVATE),
    NAMED(WM_SETFOCUS),
    NAMED(WM_KILLFOCUS),
    NAMED(WM_ENABLE),
    NAMED(WM_SETTEXT),
    NAMED(WM_PAINT),
    NAMED(WM_CLOSE),
    NAMED(WM_ERASEBKGND),
    NAMED(WM_SYSCOLORCHANGE),
    NAMED(WM_SHOWWINDOW),
    NAMED(WM_ACTIVATEAPP),
    NAMED(WM_SETCURSOR),
    NAMED(WM_GETMINMAXINFO),
    NAMED(WM_WINDOWPOSCHANGING),
    NAMED(WM_WINDOWPOSCHANGED),
    NAMED(WM_NOTIFY),
    NAMED(WM_NCACTIVATE),
    NAMED(WM_KEYDOWN),
    NAMED(WM_KEYUP),
    NAMED(WM_CHAR),
    NAMED(WM_SYSKEYDOWN),
    NAMED(WM_SYSKEYUP),
    NAMED(WM_COMMAND),
    NAMED(WM_SYSCOMMAND),
    NAMED(WM_TIMER),
    NAMED(WM_HSCROLL),
    NAMED(WM_VSCROLL),
    NAMED(WM_CTLCOLOREDIT),
    NAMED(WM_CTLCOLORLISTBOX),
    NAMED(WM_CTLCOLORBTN),
    NAMED(WM_CTLCOLORSTATIC),
    NAMED(WM_MOUSEMOVE),
    NAMED(WM_LBUTTONDOWN),
    NAMED(WM_LBUTTONUP),
    NAMED(WM_RBUTTONDOWN),
    NAMED(WM_RBUTTONUP),
    NAMED(WM_SIZING),
    NAMED(WM_CAPTURECHANGED),
    NAMED(WM_ENTERSIZEMOVE),
    NAMED(WM_EXITSIZEMOVE),
    NAMED(WM_USER),
    NAMED(MSG_GADGET_EVENT),
};

// Four events carry the number of the message they come from, so in an
// event list those numbers read as events.
const NamedValue EVENT_NAMES[] = {
    NAMED(EVENT_NONE),
    NAMED(EVENT_MOVE_WINDOW),
    NAMED(EVENT_SIZE_WINDOW),
    NAMED(EVENT_REPAINT),
    NAMED(EVENT_CLOSE_WINDOW),
    NAMED(EVENT_GADGET),
    NAMED(EVENT_MENU),
    NAMED(EVENT_ACTIVATE_WINDOW),
    NAMED(EVENT_MINIMIZE_WINDOW),
    NAMED(EVENT_MAXIMIZE_WINDOW),
    NAMED(EVENT_RESTORE_WINDOW),
};
#undef NAMED

template <size_t N> const char *NameIn(const NamedValue (&table)[N], UINT value) {
  for (const NamedValue &entry : table) {
    if (entry.value == value) {
      return entry.name;
    }
  }
  return nullptr;
}
} // namespace

std::string MessageName(UINT message) {
  const char *name = NameIn(MESSAGE_NAMES, message);
  if (name != nullptr) {
    return name;
  }
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%04x", message);
  return hex;
}

std::string EventName(int32_t code) {
  const char *name = NameIn(EVENT_NAMES, static_cast<UINT>(code));
  return name != nullptr ? name : MessageName(static_cast<UINT>(code));
}
