#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <vector>

#include "tests/requesters/dialog_answer.h"
#include "tests/support/small_program_heap.h"
#include "tests/requesters/test_windows.h"
#include "toolkit/requesters/requesters.h"

namespace {

std::vector<DisabledWindowEntry> DisabledEntries() {
  std::vector<DisabledWindowEntry> entries;
  for (void *entry = HeapListNewest(&DisabledWindowList); entry; entry = HeapListOlder(entry)) {
    entries.push_back(*static_cast<DisabledWindowEntry *>(entry));
  }
  return entries;
}

// A visible window owned by a second thread, which keeps its queue running.
struct OtherThreadWindow {
  OtherThreadWindow() {
    thread = std::thread([this] {
      TestWindow own;
      window = own.handle;
      created = true;
      MSG message;
      while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        DispatchMessageA(&message);
      }
    });
    while (!created) {
      Sleep(1);
    }
    threadId = GetWindowThreadProcessId(window, nullptr);
  }
  ~OtherThreadWindow() {
    PostThreadMessageA(threadId, WM_QUIT, 0, 0);
    thread.join();
  }
  std::thread thread;
  std::atomic<bool> created{false};
  HWND window = nullptr;
  DWORD threadId = 0;
};

TEST(ThreadWindows, MessageBoxDisablesTheThreadsOtherWindowsAndEnablesThemInReverse) {
  TestWindow shownWindows[3], hiddenWindow(false), disabledWindow, frontWindow;
  HWND shown[] = {shownWindows[0].handle, shownWindows[1].handle, shownWindows[2].handle};
  HWND hidden = hiddenWindow.handle, disabled = disabledWindow.handle, front = frontWindow.handle;
  EnableWindow(disabled, FALSE);
  OtherThreadWindow other;
  if (!ForegroundSet(front)) {
    GTEST_SKIP() << "another program on the display kept the foreground";
  }
  EnableLogTake();

  std::vector<DisabledWindowEntry> during;
  HWND owner = nullptr;
  bool shownEnabled = true, otherEnabled = false, hiddenEnabled = false;
  std::thread answer = DialogAnswerStart([&](HWND box) {
    during = DisabledEntries();
    owner = GetWindow(box, GW_OWNER);
    shownEnabled = IsWindowEnabled(shown[0]) || IsWindowEnabled(shown[1]) || IsWindowEnabled(shown[2]);
    otherEnabled = IsWindowEnabled(other.window);
    hiddenEnabled = IsWindowEnabled(hidden);
    DialogButtonPress(box, IDOK);
  });
  EXPECT_EQ(ShowMessage("Anzahl Zeilen", "3 Zeilen gelesen !", 0), IDOK);
  answer.join();

  // While the box was open: exactly the three shown windows, all of this thread.
  EXPECT_EQ(owner, front);
  EXPECT_FALSE(shownEnabled);
  EXPECT_TRUE(otherEnabled);
  EXPECT_TRUE(hiddenEnabled);
  std::vector<HWND> recorded;
  for (const DisabledWindowEntry &entry : during) {
    EXPECT_EQ(entry.threadId, GetCurrentThreadId());
    recorded.push_back(entry.window);
  }
  std::vector<HWND> expected(shown, shown + 3);
  std::vector<HWND> recordedSorted = recorded;
  std::sort(recordedSorted.begin(), recordedSorted.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(recordedSorted, expected);

  // Afterwards: enabled again, newest first, and nothing left recorded.
  std::vector<HWND> disabledOrder, enabledOrder;
  for (const std::pair<HWND, bool> &change : EnableLogTake()) {
    if (std::find(shown, shown + 3, change.first) != shown + 3) {
      (change.second ? enabledOrder : disabledOrder).push_back(change.first);
    } else {
      EXPECT_TRUE(change.first == front) << "WM_ENABLE to a window that was to be left alone";
    }
  }
  std::vector<HWND> reversed(disabledOrder.rbegin(), disabledOrder.rend());
  EXPECT_EQ(disabledOrder.size(), 3u);
  EXPECT_EQ(enabledOrder, reversed);
  EXPECT_EQ(enabledOrder, recorded);
  for (HWND window : shown) {
    EXPECT_TRUE(IsWindowEnabled(window));
  }
  EXPECT_TRUE(IsWindowEnabled(front));
  EXPECT_FALSE(IsWindowEnabled(disabled));
  EXPECT_TRUE(DisabledEntries().empty());
}

TEST(ThreadWindows, EnableLeavesOtherThreadsEntries) {
  TestWindow myWindow, theirWindow;
  HWND mine = myWindow.handle, theirs = theirWindow.handle;
  EnableWindow(mine, FALSE);
  EnableWindow(theirs, FALSE);
  void *theirEntry = HeapListAdd(&DisabledWindowList, sizeof(DisabledWindowEntry));
  *static_cast<DisabledWindowEntry *>(theirEntry) = {GetCurrentThreadId() + 1, theirs};
  void *myEntry = HeapListAdd(&DisabledWindowList, sizeof(DisabledWindowEntry));
  *static_cast<DisabledWindowEntry *>(myEntry) = {GetCurrentThreadId(), mine};

  EnableThreadWindows();

  EXPECT_TRUE(IsWindowEnabled(mine));
  EXPECT_FALSE(IsWindowEnabled(theirs));
  std::vector<DisabledWindowEntry> left = DisabledEntries();
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0].window, theirs);
  HeapListRemove(&DisabledWindowList, theirEntry);
}

TEST(ThreadWindows, WindowThatCannotBeRecordedIsNotLeftDisabled) {
  TestWindow front, recorded;
  if (!ForegroundSet(front.handle)) {
    GTEST_SKIP() << "another program on the display kept the foreground";
  }
  HWND window = recorded.handle;
  EnableLogTake();
  {
    SmallProgramHeap exhausted(true);
    DisableThreadWindows();
  }
  EXPECT_TRUE(IsWindowEnabled(window));
  EXPECT_TRUE(DisabledEntries().empty());
  std::vector<std::pair<HWND, bool>> expected = {{window, false}, {window, true}};
  EXPECT_EQ(EnableLogTake(), expected);
}

} // namespace
