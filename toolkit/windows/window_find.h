// The platform's Find dialog for a toolkit window: modeless, owned by the
// window, its Find Next pressing an event of its own (EVENT_FIND).
#pragma once
#include <cstdint>
#include <windows.h>
#include "toolkit/core/object_registry.h"

// Opens the dialog preset with the text and the flags (FR_DOWN,
// FR_MATCHCASE), or brings the open one to the front; 0 when it cannot.
int32_t WindowFindOpen(ObjectId number, const wchar_t *preset, DWORD flags);
// The text and flags of the last Find Next, read from the dialog's own
// edit in wide characters: what the dialog hands over went through the
// code page under Wine.
const wchar_t *EventFindText();
DWORD EventFindFlags();

// For the window procedure: the dialog's message, and what it says.
bool WindowFindIsMessage(UINT message);
LRESULT WindowFindHandle(int32_t number, LPARAM lParam);
// For the event wait: whether the dialog is the active window, and true
// when the message, fetched wide or not, was the dialog's own (Enter, Esc,
// Tab in it) and has been handled.
bool WindowFindDialogActive();
bool WindowFindDialogMessage(MSG *message, bool wide);
