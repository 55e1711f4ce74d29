// Other programs on the shared display may take the foreground in the middle
// of a case. A watch tells whether its window kept the activation, so that a
// disturbed case can run again instead of failing.
#pragma once
#include <windows.h>

#include "tests/support/message_sequence.h"

class ActivationWatch {
public:
  explicit ActivationWatch(HWND window) : window_(window), losses_(window, Deactivation) {}

  // Watches from here on.
  void Restart() { losses_.Flush(); }
  bool Undisturbed() const { return losses_.Recorded().empty() && GetForegroundWindow() == window_; }

private:
  static bool Deactivation(UINT message, WPARAM wParam, LPARAM) {
    return (message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE) || (message == WM_ACTIVATEAPP && wParam == FALSE);
  }

  HWND window_;
  MessageRecorder losses_;
};
