// A window of another process for the requester tests: it shows itself,
// takes the foreground and runs until it is closed.
#include <windows.h>

static LRESULT CALLBACK HelperWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

int main() {
  WNDCLASSA description = {};
  description.lpfnWndProc = HelperWindowProc;
  description.hInstance = GetModuleHandleA(nullptr);
  description.lpszClassName = "RequesterForegroundHelper";
  RegisterClassA(&description);
  HWND window = CreateWindowExA(0, description.lpszClassName, "helper", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 300, 200,
                                100, nullptr, nullptr, description.hInstance, nullptr);
  SetForegroundWindow(window);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    DispatchMessageA(&message);
  }
  return 0;
}
