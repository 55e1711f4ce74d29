// Answers the modal dialogs a test opens: a helper thread waits for this
// process's dialog window and works its controls while the test's thread is
// inside the dialog's modal loop.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <thread>

// Starts a thread that waits (up to ten seconds) for a visible top-level
// "#32770" window of this process and then calls respond with it; a dialog
// nobody answers is closed with IDCANCEL so that the test cannot hang.
std::thread DialogAnswerStart(std::function<void(HWND dialog)> respond);

// Text of a window of another thread of this process, through WM_GETTEXT.
std::string WindowTextRead(HWND window);
// Presses a dialog button as a click would.
void DialogButtonPress(HWND dialog, int buttonId);
