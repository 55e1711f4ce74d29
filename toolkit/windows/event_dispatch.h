// Fetching and dispatching one message as the event wait does: the active
// window's focus accelerators first. Shared by EventWait and EventPump.
//
// Messages come in the code page, but wide while the Find dialog is the
// active window: a character typed there that the code page lacks would
// reach its wide edit as "?". The platform converts a wide message for a
// window of the code page as it dispatches it.
#pragma once
#include <windows.h>

// As PeekMessage with the flags; *wide tells how the message came.
bool EventPeek(MSG *message, UINT flags, bool *wide);
// The dispatch matching how the message came.
void EventDispatch(MSG *message, bool wide);
