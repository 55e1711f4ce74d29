#include "tests/requesters/test_windows.h"

#include <mutex>

#include "tests/support/event_drain.h"

static std::mutex EnableLogLock;
static std::vector<std::pair<HWND, bool>> EnableLog;

static LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ENABLE) {
    std::lock_guard<std::mutex> hold(EnableLogLock);
    EnableLog.emplace_back(window, wParam != 0);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

TestWindow::TestWindow(bool visible) {
  static ATOM windowClass = [] {
    WNDCLASSA description = {};
    description.lpfnWndProc = TestWindowProc;
    description.hInstance = GetModuleHandleA(nullptr);
    description.lpszClassName = "RequesterTestWindow";
    return RegisterClassA(&description);
  }();
  handle = CreateWindowExA(0, MAKEINTATOM(windowClass), "test", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  if (visible) {
    ShowWindow(handle, SW_SHOWNOACTIVATE);
  }
  EventDrain();
}

TestWindow::~TestWindow() {
  DestroyWindow(handle);
}

std::vector<std::pair<HWND, bool>> EnableLogTake() {
  std::lock_guard<std::mutex> hold(EnableLogLock);
  std::vector<std::pair<HWND, bool>> taken;
  taken.swap(EnableLog);
  return taken;
}

bool ForegroundSet(HWND window) {
  for (int attempt = 0; attempt < 300; ++attempt) {
    SetForegroundWindow(window);
    EventDrain();
    if (GetForegroundWindow() == window) {
      return true;
    }
    Sleep(10);
  }
  return false;
}
