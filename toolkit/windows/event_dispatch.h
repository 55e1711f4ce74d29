// Dispatching one fetched message as the event wait does: the active
// window's focus accelerators first. Shared by EventWait and EventPump.
#pragma once
#include <windows.h>

void EventDispatch(MSG *message);
