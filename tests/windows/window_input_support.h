// Input for the focus and sizing tests: key presses that arrive as real
// keyboard input where the platform lets a test send it.
#pragma once
#include <cstdint>
#include <vector>
#include <windows.h>

#include "tests/support/event_drain.h"
#include "tests/support/message_sequence.h"

// How the key presses of a test reached the program.
struct KeyInputCount {
  int32_t real;
  int32_t posted;
};
inline KeyInputCount KeyInputCounts;

// The key being pressed, whose key-down messages are recorded.
inline WPARAM KeyWatched;

// With nothing focused, the active window gets keys as system keys.
inline bool KeyWatchedDown(UINT message, WPARAM wParam, LPARAM) {
  return (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) && wParam == KeyWatched;
}

inline void KeyInputAdd(std::vector<INPUT> &inputs, WORD key, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  inputs.push_back(input);
}

// Adds what EventDrain handed out to events, when the caller keeps them.
inline void KeyEventsKeep(std::vector<DrainedEvent> *events, const std::vector<DrainedEvent> &drained) {
  if (events) {
    events->insert(events->end(), drained.begin(), drained.end());
  }
}

// Sends the key press as keyboard input; true when the thread received it.
inline bool KeyPressReal(WORD key, bool shift, bool control, std::vector<DrainedEvent> *events = nullptr) {
  std::vector<INPUT> inputs;
  if (control) {
    KeyInputAdd(inputs, VK_CONTROL, false);
  }
  if (shift) {
    KeyInputAdd(inputs, VK_SHIFT, false);
  }
  KeyInputAdd(inputs, key, false);
  KeyInputAdd(inputs, key, true);
  if (shift) {
    KeyInputAdd(inputs, VK_SHIFT, true);
  }
  if (control) {
    KeyInputAdd(inputs, VK_CONTROL, true);
  }
  KeyWatched = key;
  MessageRecorder downs(nullptr, KeyWatchedDown);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  KeyEventsKeep(events, EventDrain());
  // A busy machine may deliver it late; a second press must not follow it.
  for (int32_t round = 0; round < 20 && downs.Recorded().empty(); round++) {
    Sleep(50);
    KeyEventsKeep(events, EventDrain());
  }
  return downs.Recorded().size() == 1;
}

// Posts WM_KEYDOWN/WM_KEYUP to the focus (or to the window when nothing has
// the focus) with the modifier state set for this thread meanwhile.
inline void KeyPressPosted(HWND window, WORD key, bool shift, bool control,
                           std::vector<DrainedEvent> *events = nullptr) {
  const BYTE HELD = 0x80; // the high bit of a key's state
  BYTE keys[256];
  GetKeyboardState(keys);
  BYTE saved[256];
  CopyMemory(saved, keys, sizeof(keys));
  keys[VK_SHIFT] = shift ? HELD : 0;
  keys[VK_CONTROL] = control ? HELD : 0;
  SetKeyboardState(keys);
  HWND target = GetFocus() != nullptr ? GetFocus() : window;
  PostMessageA(target, WM_KEYDOWN, key, 1);
  PostMessageA(target, WM_KEYUP, key, MAKELPARAM(1, KF_REPEAT | KF_UP));
  KeyEventsKeep(events, EventDrain());
  SetKeyboardState(saved);
}

// Presses key (with Shift and/or Ctrl held) and runs EventWait until idle,
// keeping the events it handed out if asked. Real input is sent only while
// the window is in the foreground, so that no other program receives it;
// otherwise the key messages are posted.
inline void KeyPress(HWND window, WORD key, bool shift = false, bool control = false,
                     std::vector<DrainedEvent> *events = nullptr) {
  if (GetForegroundWindow() == window && KeyPressReal(key, shift, control, events)) {
    KeyInputCounts.real++;
    return;
  }
  KeyInputCounts.posted++;
  KeyPressPosted(window, key, shift, control, events);
}

// Makes the window the active and foreground window of the thread.
inline bool TestWindowActivate(HWND window) {
  SetForegroundWindow(window);
  SetActiveWindow(window);
  EventDrain();
  return GetActiveWindow() == window;
}
