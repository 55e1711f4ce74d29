// Files dropped on a toolkit window: the window accepts them, the first
// dropped name is kept, and the drop becomes an event of its own.
#pragma once
#include <cstdint>
#include <windows.h>
#include "toolkit/core/object_registry.h"

// Lets the window take files dragged from the desktop; 0 when it has no window.
int32_t WindowAcceptDrops(ObjectId number);
// The first name of the last drop, whole, or empty when it did not fit.
const wchar_t *EventDroppedFile();

// WM_DROPFILES, whose wParam is the drop.
LRESULT WindowDropHandle(int32_t number, WPARAM dropParam);
