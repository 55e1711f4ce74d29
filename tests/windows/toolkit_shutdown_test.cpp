// The shutdown order: the gadget library's window first, then the windows
// with their gadgets, and the files still open only after every window.
#include <gtest/gtest.h>

#include <string>
#include <vector>
#include <windows.h>
#include <commctrl.h>

#include "tests/support/scoped_value.h"
#include "tests/windows/window_test_support.h"
#include "toolkit/core/module_instance.h"
#include "toolkit/files/file_reader.h"
#include "toolkit/gadgets/gadget.h"
#include "toolkit/gadgets/list_view.h"
#include "toolkit/gadgets/simple_gadgets.h"
#include "toolkit/startup/toolkit_startup.h"
#include "toolkit/windows/gadget_list.h"

namespace {
std::vector<std::string> shutdownLog;
HWND watchedWindow;
HWND watchedAuxiliary;
WNDPROC watchedWindowProc;
int32_t rowDeletions; // notifications of rows the list control freed

LRESULT CALLBACK RowDeletionCounter(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    UINT code = reinterpret_cast<const NMHDR *>(lParam)->code;
    if (code == LVN_DELETEITEM || code == LVN_DELETEALLITEMS) {
      rowDeletions++;
    }
  }
  return CallWindowProcA(watchedWindowProc, window, message, wParam, lParam);
}

LRESULT CALLBACK ShutdownHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_DESTROYWND) {
    std::string file = RegistryLookup(FileRegistry, 0) != nullptr ? " (file open)" : " (file closed)";
    if (reinterpret_cast<HWND>(wParam) == watchedWindow) {
      shutdownLog.push_back("window" + file);
    } else if (reinterpret_cast<HWND>(wParam) == watchedAuxiliary) {
      shutdownLog.push_back("auxiliary" + file);
    }
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
  // Shutdown marks the gadgets as ending; the later tests in this program
  // need the lists to free their rows again.
  ScopedValue<bool> gadgetsEnding(GadgetsEnding, false);
  // Started again when an earlier run of this test stopped it.
  ASSERT_TRUE(ToolkitStartup());
  std::string path = TemporaryFile();
  ASSERT_NE(FileOpen(0, path.c_str()), nullptr);
  watchedWindow = WindowOpen(50, 0, 0, 200, 100, "", WS_CAPTION);
  ASSERT_NE(watchedWindow, nullptr);
  HWND button = ButtonCreate(22, 5, 5, 60, 20, "x");
  ASSERT_NE(button, nullptr);
  // At program end the list goes with its window without freeing its rows
  // one by one, which some platforms do in time growing with their square.
  HWND list = ListViewCreate(23, 5, 30, 100, 50, "a", 50, 0);
  ASSERT_NE(list, nullptr);
  GadgetItemAdd(23, -1, "1");
  GadgetItemAdd(23, -1, "2");
  watchedWindowProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(watchedWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RowDeletionCounter)));
  rowDeletions = 0;
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
  EXPECT_EQ(RegistryLookup(GadgetRegistry, 23), nullptr);
  EXPECT_FALSE(IsWindow(list));
  EXPECT_EQ(rowDeletions, 0);
  EXPECT_TRUE(DeleteFileA(path.c_str())) << "the file's handle is closed";
}
