// The shutdown order: the gadget library's window first, then the windows
// with their gadgets, and the files still open only after every window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/windows/window_test_support.h"
#include "toolkit/core/module_instance.h"
#include "toolkit/files/file_reader.h"
#include "toolkit/gadgets/gadget.h"
#include "toolkit/gadgets/simple_gadgets.h"
#include "toolkit/startup/toolkit_startup.h"

namespace {
std::vector<std::string> shutdownLog;
HWND watchedWindow;
HWND watchedAuxiliary;

LRESULT CALLBACK ShutdownHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_DESTROYWND) {
    std::string file = RegistryLookup(FileRegistry, 0) != nullptr ? " (file open)" : " (file closed)";
    if ((HWND)wParam == watchedWindow)
      shutdownLog.push_back("window" + file);
    else if ((HWND)wParam == watchedAuxiliary)
      shutdownLog.push_back("auxiliary" + file);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::string TemporaryFile() {
  char folder[MAX_PATH];
  char path[MAX_PATH];
  GetTempPathA(sizeof folder, folder);
  GetTempFileNameA(folder, "wnd", 0, path);
  return path;
}
} // namespace

TEST(ToolkitShutdownTest, WindowsAndTheirGadgetsCloseBeforeFiles) {
  std::string path = TemporaryFile();
  ASSERT_NE(FileOpen(0, path.c_str()), nullptr);
  watchedWindow = WindowOpen(50, 0, 0, 200, 100, "", WS_CAPTION);
  ASSERT_NE(watchedWindow, nullptr);
  HWND button = ButtonCreate(22, 5, 5, 60, 20, "x");
  ASSERT_NE(button, nullptr);
  watchedAuxiliary = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, ModuleInstance, nullptr);
  GadgetListStateRecord->auxiliaryWindow = watchedAuxiliary;
  shutdownLog.clear();

  HHOOK hook = SetWindowsHookExA(WH_CBT, ShutdownHook, nullptr, GetCurrentThreadId());
  ToolkitShutdown();
  UnhookWindowsHookEx(hook);
  GadgetListStateRecord->auxiliaryWindow = nullptr;

  EXPECT_EQ(shutdownLog, (std::vector<std::string>{"auxiliary (file open)", "window (file open)"}));
  EXPECT_EQ(RegistryLookup(FileRegistry, 0), nullptr);
  EXPECT_EQ(RegistryLookup(WindowRegistry, 50), nullptr);
  EXPECT_EQ(RegistryLookup(GadgetRegistry, 22), nullptr);
  EXPECT_FALSE(IsWindow(button));
  EXPECT_TRUE(DeleteFileA(path.c_str())) << "the file's handle is closed";
}
