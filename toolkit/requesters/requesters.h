// Modal open-file dialog and message box, with the thread's other windows
// disabled around them.
#pragma once
#include <cstdint>
#include <windows.h>
#include "toolkit/core/heap_list.h"
#include "toolkit/requesters/requester_calls.h"

struct DisabledWindowEntry {
  DWORD threadId;
  HWND window;
};

extern HeapList DisabledWindowList;

HWND ForegroundOwner();
void DisableThreadWindows();
void EnableThreadWindows();
int32_t IsValidFileName(const char *text);
