#include <gtest/gtest.h>

#include <string>

#include "tests/requesters/dialog_answer.h"
#include "tests/requesters/test_windows.h"
#include "toolkit/requesters/requesters.h"

namespace {

// Starts the helper program built beside this test and waits for its window.
HWND ForeignWindowStart(PROCESS_INFORMATION *process) {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string helper = path;
  helper = helper.substr(0, helper.find_last_of('\\') + 1) + "requesters_foreground_helper.exe";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  if (!CreateProcessA(helper.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, process)) {
    return nullptr;
  }
  for (int attempt = 0; attempt < 1000; ++attempt) {
    HWND window = FindWindowA("RequesterForegroundHelper", nullptr);
    if (window) {
      return window;
    }
    Sleep(10);
  }
  return nullptr;
}

TEST(ForegroundOwner, IsTheForegroundWindowOnlyWhenItIsThisProcesss) {
  TestWindow window;
  HWND mine = window.handle;
  if (!ForegroundSet(mine)) {
    GTEST_SKIP() << "another program on the display kept the foreground";
  }
  EXPECT_EQ(ForegroundOwner(), mine);

  PROCESS_INFORMATION process = {};
  HWND foreign = ForeignWindowStart(&process);
  ASSERT_NE(foreign, nullptr) << "the helper program did not start";
  if (!ForegroundSet(foreign)) {
    printf("[ INFO ] the platform kept another program's window out of the foreground\n");
  } else {
    EXPECT_EQ(ForegroundOwner(), nullptr);
    // The box then has no owner, and this thread's window is disabled while it is open.
    HWND owner = mine;
    bool mineEnabled = true;
    std::thread answer = DialogAnswerStart([&](HWND box) {
      owner = GetWindow(box, GW_OWNER);
      mineEnabled = IsWindowEnabled(mine);
      DialogButtonPress(box, IDOK);
    });
    EXPECT_EQ(ShowMessage("Fehler !", "Kein Quell - Ordner gew\xE4hlt !", 0), IDOK);
    answer.join();
    EXPECT_EQ(owner, nullptr);
    EXPECT_FALSE(mineEnabled);
    EXPECT_TRUE(IsWindowEnabled(mine));
    EXPECT_EQ(HeapListNewest(&DisabledWindowList), nullptr);
  }
  PostMessageA(foreign, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

} // namespace
