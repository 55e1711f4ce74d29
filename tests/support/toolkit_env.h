// Test executables of the user interface run with the whole toolkit started,
// as the program does, and shut it down after the last test.
#pragma once
#include <windows.h>

// Dispatches every message waiting for this thread, so that posted and sent
// traffic has arrived before a test looks at the result.
void PumpPendingMessages();
