#include "tests/support/message_names.h"

#include <cstdio>

#include "toolkit/windows/event.h"

namespace {
struct NamedValue {
  UINT value;
  const char *name;
};

// The messages the tests record or see EventWait return.
const NamedValue MESSAGE_NAMES[] = {
    {WM_MOVE, "WM_MOVE"},
    {WM_SIZE, "WM_SIZE"},
    {WM_ACTIVATE, "WM_ACTIVATE"},
    {WM_SETFOCUS, "WM_SETFOCUS"},
    {WM_KILLFOCUS, "WM_KILLFOCUS"},
    {WM_PAINT, "WM_PAINT"},
    {WM_CLOSE, "WM_CLOSE"},
    {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"},
    {WM_GETMINMAXINFO, "WM_GETMINMAXINFO"},
    {WM_KEYDOWN, "WM_KEYDOWN"},
    {WM_KEYUP, "WM_KEYUP"},
    {WM_CHAR, "WM_CHAR"},
    {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"},
    {WM_SYSKEYUP, "WM_SYSKEYUP"},
    {WM_COMMAND, "WM_COMMAND"},
    {WM_SYSCOMMAND, "WM_SYSCOMMAND"},
    {WM_TIMER, "WM_TIMER"},
    {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
    {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
    {WM_LBUTTONUP, "WM_LBUTTONUP"},
    {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"},
    {WM_RBUTTONUP, "WM_RBUTTONUP"},
    {WM_SIZING, "WM_SIZING"},
    {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"},
    {WM_ENTERSIZEMOVE, "WM_ENTERSIZEMOVE"},
    {WM_EXITSIZEMOVE, "WM_EXITSIZEMOVE"},
    {MSG_GADGET_EVENT, "MSG_GADGET_EVENT"},
};

// Four events carry the number of the message they come from, so in an
// event list those numbers read as events.
const NamedValue EVENT_NAMES[] = {
    {EVENT_NONE, "EVENT_NONE"},
    {EVENT_MOVE_WINDOW, "EVENT_MOVE_WINDOW"},
    {EVENT_SIZE_WINDOW, "EVENT_SIZE_WINDOW"},
    {EVENT_REPAINT, "EVENT_REPAINT"},
    {EVENT_CLOSE_WINDOW, "EVENT_CLOSE_WINDOW"},
    {EVENT_GADGET, "EVENT_GADGET"},
    {EVENT_MENU, "EVENT_MENU"},
    {EVENT_ACTIVATE_WINDOW, "EVENT_ACTIVATE_WINDOW"},
    {EVENT_MINIMIZE_WINDOW, "EVENT_MINIMIZE_WINDOW"},
    {EVENT_MAXIMIZE_WINDOW, "EVENT_MAXIMIZE_WINDOW"},
    {EVENT_RESTORE_WINDOW, "EVENT_RESTORE_WINDOW"},
};

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
