// Using up the auto-repeats of a key held down, so that a press that has
// acted once does not act again through its repeats: in the window that
// took it or in a message box that it opened.
#pragma once
#include <windows.h>

// Bit 30 of a key message: the key was already down, so this is an
// auto-repeat, not a fresh press.
inline bool KeyIsRepeat(LPARAM lParam) {
  return (lParam & (LPARAM(1) << 30)) != 0;
}

// From now on the repeats of the key (key messages with bit 30 set) are
// taken out of every message the thread fetches, modal loops included,
// until the key is released or pressed afresh.
void KeyRepeatsUseUp(WPARAM key);
// Ends every use-up at once (at shutdown).
void KeyRepeatsEnd();
