// Keyboard shortcuts of a window, beside its focus accelerators: a key that
// the window answers whichever of its controls has the focus.
#pragma once
#include <cstdint>
#include <windows.h>
#include "toolkit/windows/window.h"

// A fresh press of the key (with exactly the modifiers, FCONTROL and FSHIFT)
// while the window is active gives EVENT_MENU with the command as its
// gadget number. False when the window is not open or the table cannot be
// rebuilt; the shortcuts it had stay.
bool WindowShortcutAdd(ObjectId number, BYTE modifiers, WORD key, WORD command);
// True for an auto-repeat of a key that is a shortcut of the table, which
// then goes to the focused control as an ordinary key: a held key acts once.
bool WindowShortcutRepeat(const WindowRecord *record, const MSG &message);
