// Plain top-level windows for the requester tests, each logging the
// WM_ENABLE messages it receives.
#pragma once
#include <windows.h>

#include <utility>
#include <vector>

// A visible (or hidden) enabled top-level window of the calling thread, shown
// without taking the foreground, and destroyed with the object.
struct TestWindow {
  explicit TestWindow(bool visible = true);
  ~TestWindow();
  TestWindow(const TestWindow &) = delete;
  TestWindow &operator=(const TestWindow &) = delete;
  HWND handle;
};
// Every WM_ENABLE received by a test window so far: window and new state.
std::vector<std::pair<HWND, bool>> EnableLogTake();
// Makes a window the foreground window; false when the platform refuses
// (another program on the same display may be taking it at the same time).
bool ForegroundSet(HWND window);
