// The event wait: queued events first, pending codes over raw messages, the
// snapshot the accessors read, and the three kinds of timeout.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tests/support/message_sequence.h"
#include "tests/windows/window_test_support.h"
#include "toolkit/windows/event_pump.h"
#include "toolkit/windows/key_repeats.h"
#include "toolkit/windows/window_shortcuts.h"

namespace {
const UINT MSG_PLAIN = WM_USER + 7;

bool SameFields(const EventFields &a, const EventFields &b) {
  return memcmp(&a, &b, sizeof a) == 0;
}

bool KeyMessages(UINT message, WPARAM, LPARAM) {
  return message == WM_KEYDOWN || message == WM_CHAR;
}

bool KeyDowns(UINT message, WPARAM, LPARAM) {
  return message == WM_KEYDOWN;
}

int32_t AllButGadget13(int32_t code, int32_t gadget) {
  return !(code == EVENT_GADGET && gadget == 13);
}

int32_t NeitherGadget13NorMoves(int32_t code, int32_t gadget) {
  return AllButGadget13(code, gadget) && code != EVENT_MOVE_WINDOW;
}

struct SentMessage {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

DWORD WINAPI SentMessageSend(void *data) {
  const SentMessage *sent = static_cast<const SentMessage *>(data);
  SendMessageA(sent->window, sent->message, sent->wParam, sent->lParam);
  return 0;
}

// The message sent from another thread, handled by a pump once it waits
// for this thread (a pump does not wait for messages itself).
void PumpWhileSent(const SentMessage &sent, EventKeepFilter keep) {
  HANDLE thread = CreateThread(nullptr, 0, SentMessageSend, const_cast<SentMessage *>(&sent), 0, nullptr);
  ASSERT_NE(thread, nullptr);
  while (WaitForSingleObject(thread, 0) == WAIT_TIMEOUT && (GetQueueStatus(QS_SENDMESSAGE) >> 16) == 0) {
    Sleep(1);
  }
  EXPECT_EQ(EventPump(VK_ESCAPE, keep, 1000), 0);
  EXPECT_EQ(WaitForSingleObject(thread, 5000), WAIT_OBJECT_0);
  CloseHandle(thread);
}

class EventWaitTest : public testing::Test {
protected:
  EventWaitTest() : window_(30, 20, 20, 240, 160, WS_CAPTION | WS_SYSMENU) { EventDrain(); }
  HWND window() const { return window_.handle(); }
  ScopedWindow window_;
};
} // namespace

TEST_F(EventWaitTest, RawMessageIsReturnedWithItsParameters) {
  struct Case {
    int32_t timeout;
    WPARAM wParam;
    LPARAM lParam;
  };
  const Case cases[] = {{-1, 1, 2}, {0, 0xFFFFFFFF, -5}, {100, 77, 0x12345678}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.timeout);
    PostMessageA(window(), MSG_PLAIN, c.wParam, c.lParam);
    EXPECT_EQ(EventWait(c.timeout), static_cast<int32_t>(MSG_PLAIN));
    EventFields snapshot = EventSnapshot();
    EXPECT_EQ(snapshot.messageWParam, static_cast<uint32_t>(c.wParam));
    EXPECT_EQ(snapshot.messageLParam, static_cast<int32_t>(c.lParam));
    EXPECT_EQ(snapshot.window, 30);
    EXPECT_EQ(snapshot.EventType, -1);
    EXPECT_EQ(snapshot.pendingCode, 0);
  }
}

TEST_F(EventWaitTest, NothingPendingReturnsZeroAndKeepsTheSnapshot) {
  PostMessageA(window(), MSG_GADGET_EVENT, 42, 768);
  ASSERT_FALSE(EventsOnly(EventDrain(), {EVENT_GADGET}).empty());
  EventFields before = EventSnapshot();
  for (int32_t timeout : {0, 100}) {
    SCOPED_TRACE(timeout);
    EXPECT_EQ(EventWait(timeout), EVENT_NONE);
    EXPECT_TRUE(SameFields(EventSnapshot(), before));
  }
}

TEST_F(EventWaitTest, GadgetEventMessageBecomesGadgetEvent) {
  PostMessageA(window(), MSG_GADGET_EVENT, 12, 768);
  EXPECT_EQ(EventWait(0), EVENT_GADGET);
  EXPECT_EQ(EventGadgetId(), 12);
  EXPECT_EQ(EventSnapshot().EventType, 768);
  EXPECT_EQ(EventSnapshot().window, 30);
  // Raw messages and queued events leave the gadget of the last gadget event.
  PostMessageA(window(), MSG_PLAIN, 0, 0);
  EXPECT_EQ(EventWait(0), static_cast<int32_t>(MSG_PLAIN));
  EXPECT_EQ(EventGadgetId(), 12);
  EXPECT_EQ(EventSnapshot().EventType, -1);
  SendMessageA(window(), WM_MOVE, 0, 0);
  EXPECT_EQ(EventWait(0), EVENT_MOVE_WINDOW);
  EXPECT_EQ(EventGadgetId(), 12);
}

TEST_F(EventWaitTest, PaintIsReturnedRawAndErasingIsQueued) {
  InvalidateRect(window(), nullptr, TRUE);
  EXPECT_EQ(EventDrain(), (std::vector<DrainedEvent>{{WM_PAINT}, {EVENT_REPAINT}}));
  // A control erases its own background: only its paint is seen.
  HWND button = RawButtonCreate(window(), 8);
  EventDrain();
  InvalidateRect(button, nullptr, TRUE);
  EXPECT_EQ(EventDrain(), (std::vector<DrainedEvent>{{WM_PAINT}}));
  DestroyWindow(button);
}

// Each row sends (SEQ_SENT) or posts its messages to the window, then takes
// codes with EventWait(0) until none is left. The window always stays:
// closing is the application's decision.
TEST_F(EventWaitTest, RunsOfCodesAfterAnAction) {
  struct Case {
    ExpectedMessage act[4];
    ExpectedMessage run[4]; // wParam: the gadget of a gadget event, else the window
  };
  const Case cases[] = {
      // A posted close is returned raw, then from the queue.
      {{{WM_CLOSE, SEQ_POSTED}, {0}}, {{EVENT_CLOSE_WINDOW}, {EVENT_CLOSE_WINDOW, SEQ_WPARAM, 30}, {0}}},
      // The path of Alt+F4 and the system menu: the default procedure turns
      // the command into WM_CLOSE, which the window only queues.
      {{{WM_SYSCOMMAND, SEQ_POSTED, SC_CLOSE}, {0}}, {{WM_SYSCOMMAND}, {EVENT_CLOSE_WINDOW}, {0}}},
      // Queued events come first, in order, one per call.
      {{{MSG_PLAIN, SEQ_POSTED}, {WM_MOVE, SEQ_SENT}, {WM_CLOSE, SEQ_SENT}, {0}},
       {{EVENT_MOVE_WINDOW}, {EVENT_CLOSE_WINDOW}, {MSG_PLAIN}, {0}}},
      // A pending code set while no wait runs: the next wait that dispatches
      // returns it in place of its message...
      {{{MSG_GADGET_EVENT, SEQ_SENT, 9}, {MSG_PLAIN, SEQ_POSTED}, {0}}, {{EVENT_GADGET, SEQ_WPARAM, 9}, {0}}},
      // ...unless a queued event is popped first, which drops it.
      {{{MSG_GADGET_EVENT, SEQ_SENT, 10}, {WM_CLOSE, SEQ_SENT}, {MSG_PLAIN, SEQ_POSTED}, {0}},
       {{EVENT_CLOSE_WINDOW}, {MSG_PLAIN}, {0}}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << "row " << &c - cases);
    for (const ExpectedMessage *step = c.act; step->message != 0; step++) {
      if (step->flags == SEQ_SENT) {
        SendMessageA(window(), step->message, step->wParam, 0);
      } else {
        PostMessageA(window(), step->message, step->wParam, 0);
      }
    }
    std::vector<RecordedMessage> run;
    for (int32_t code = EventWait(0); code != EVENT_NONE && run.size() < 8; code = EventWait(0)) {
      int32_t subject = code == EVENT_GADGET ? EventGadgetId() : EventSnapshot().window;
      run.push_back({static_cast<UINT>(code), 0, static_cast<WPARAM>(subject), 0});
    }
    EXPECT_TRUE(SequenceCheck(run, c.run));
    EXPECT_TRUE(IsWindow(window()));
  }
}

TEST_F(EventWaitTest, ButtonClickGivesRawPressThenGadgetEvent) {
  HWND button = RawButtonCreate(window(), 7);
  EventDrain();
  const LPARAM inside = MAKELPARAM(5, 5);
  PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, inside);
  PostMessageA(button, WM_LBUTTONUP, 0, inside);
  EXPECT_EQ(EventsOnly(EventDrain(), {WM_LBUTTONDOWN, WM_LBUTTONUP, EVENT_GADGET}),
            (std::vector<DrainedEvent>{{WM_LBUTTONDOWN}, {EVENT_GADGET, 7, BN_CLICKED}}));
  EXPECT_EQ(EventGadgetId(), 7);
  DestroyWindow(button);
}

TEST_F(EventWaitTest, TabIsTranslatedForTheActiveToolkitWindow) {
  HWND first = RawButtonCreate(window(), 1, WS_TABSTOP);
  HWND second = RawButtonCreate(window(), 2, WS_TABSTOP);
  SetActiveWindow(window());
  SetFocus(first);
  EventDrain();
  ASSERT_EQ(GetActiveWindow(), window());
  PostMessageA(first, WM_KEYDOWN, VK_TAB, 1);
  // Consumed by the accelerator: the button never sees the key.
  EXPECT_EQ(EventWait(0), WM_KEYDOWN);
  EXPECT_EQ(GetFocus(), second);
  DestroyWindow(first);
  DestroyWindow(second);
}

// A shortcut answers a fresh press whichever control has the focus; its
// auto-repeats are left to the control as keys, while Tab's still move the
// focus.
TEST_F(EventWaitTest, ShortcutActsOncePerPressAndLeavesTabAsItWas) {
  HWND first = RawButtonCreate(window(), 1, WS_TABSTOP);
  HWND second = RawButtonCreate(window(), 2, WS_TABSTOP);
  ASSERT_TRUE(WindowShortcutAdd(30, 0, VK_F5, 77));
  ASSERT_TRUE(WindowShortcutAdd(30, FSHIFT, VK_F3, 78));
  SetActiveWindow(window());
  SetFocus(first);
  EventDrain();
  ASSERT_EQ(GetActiveWindow(), window());
  const LPARAM REPEAT = 1 << 30 | 1;
  PostMessageA(first, WM_KEYDOWN, VK_F5, 1);
  EXPECT_EQ(EventWait(0), EVENT_MENU);
  EXPECT_EQ(EventGadgetId(), 77);
  PostMessageA(first, WM_KEYDOWN, VK_F5, REPEAT);
  EXPECT_EQ(EventWait(0), WM_KEYDOWN);
  // Without Shift held, Shift+F3 is not pressed.
  PostMessageA(first, WM_KEYDOWN, VK_F3, 1);
  EXPECT_EQ(EventWait(0), WM_KEYDOWN);
  PostMessageA(first, WM_KEYDOWN, VK_TAB, REPEAT);
  EXPECT_EQ(EventWait(0), WM_KEYDOWN);
  EXPECT_EQ(GetFocus(), second);
  DestroyWindow(first);
  DestroyWindow(second);
}

// A pump dispatches but hands nothing out: the gadget and window events it
// caused come out of the following waits in their order and whole, but for
// those its filter refuses; the stop key is taken out, untranslated.
TEST_F(EventWaitTest, PumpLeavesItsEventsToTheWait) {
  MessageRecorder keys(nullptr, KeyMessages);
  PostMessageA(window(), MSG_GADGET_EVENT, 12, 768);
  PostMessageA(window(), WM_CLOSE, 0, 0);
  PostMessageA(window(), MSG_GADGET_EVENT, 13, 0);
  PostMessageA(window(), WM_KEYDOWN, VK_ESCAPE, MapVirtualKeyA(VK_ESCAPE, MAPVK_VK_TO_VSC) << 16 | 1);
  PostMessageA(window(), MSG_GADGET_EVENT, 14, 2);
  EventFields working = EventWorking();
  EXPECT_EQ(EventPump(VK_ESCAPE, AllButGadget13, 1000), 1);
  EXPECT_TRUE(SameFields(EventWorking(), working));
  EXPECT_EQ(EventPump(VK_ESCAPE, AllButGadget13, 1000), 0);
  // Esc pressed: no character follows.
  const ExpectedMessage STOP_KEY_TAKEN[] = {{WM_KEYDOWN, SEQ_POSTED}, {0}};
  EXPECT_TRUE(keys.Check(STOP_KEY_TAKEN));
  EXPECT_EQ(EventsOnly(EventDrain(), {EVENT_GADGET, EVENT_CLOSE_WINDOW}),
            (std::vector<DrainedEvent>{{EVENT_GADGET, 12, 768}, {EVENT_CLOSE_WINDOW}, {EVENT_GADGET, 14, 2}}));
}

// Another thread's message is handled inside PeekMessage, before the pump
// sees anything: what it causes goes through the same filter, and a gadget
// event is not lost when nothing posted follows it.
TEST_F(EventWaitTest, PumpFiltersTheEventsOfMessagesSentFromAnotherThread) {
  const SentMessage sent[] = {
      {window(), MSG_GADGET_EVENT, 12, 768},
      {window(), MSG_GADGET_EVENT, 13, 0},
      {window(), WM_MOVE, 0, 0},
      {window(), WM_CLOSE, 0, 0},
  };
  for (const SentMessage &message : sent) {
    PumpWhileSent(message, NeitherGadget13NorMoves);
  }
  EXPECT_EQ(EventsOnly(EventDrain(), {EVENT_GADGET, EVENT_MOVE_WINDOW, EVENT_CLOSE_WINDOW}),
            (std::vector<DrainedEvent>{{EVENT_GADGET, 12, 768}, {EVENT_CLOSE_WINDOW}}));
}

// Only a fresh press of the stop key stops: a key held since before the
// pump does not, and the repeats of the press that stopped it are used up
// until the key is released, in the pump as in any other loop.
TEST_F(EventWaitTest, PumpStopsOnAFreshPressAndUsesUpItsRepeats) {
  MessageRecorder keys(nullptr, KeyDowns);
  const LPARAM PRESS = MapVirtualKeyA(VK_ESCAPE, MAPVK_VK_TO_VSC) << 16 | 1;
  const LPARAM REPEAT = PRESS | LPARAM(1) << 30;
  const LPARAM RELEASE = PRESS | LPARAM(3) << 30;
  const struct {
    const char *what;
    UINT message;
    LPARAM lParam;
    int32_t stopped;
  } steps[] = {
      {"held since before", WM_KEYDOWN, REPEAT, 0}, {"pressed", WM_KEYDOWN, PRESS, 1},
      {"its repeat", WM_KEYDOWN, REPEAT, 0},        {"released", WM_KEYUP, RELEASE, 0},
      {"held again", WM_KEYDOWN, REPEAT, 0},
  };
  for (const auto &step : steps) {
    SCOPED_TRACE(step.what);
    PostMessageA(window(), step.message, VK_ESCAPE, step.lParam);
    EXPECT_EQ(EventPump(VK_ESCAPE, AllButGadget13, 1000), step.stopped);
  }
  // The repeat after the press is taken out before anything sees it.
  const ExpectedMessage HELD_KEYS[] = {
      {WM_KEYDOWN, SEQ_POSTED}, {WM_KEYDOWN, SEQ_POSTED}, {WM_KEYDOWN, SEQ_POSTED}, {0}};
  EXPECT_TRUE(keys.Check(HELD_KEYS));
  KeyRepeatsEnd();
}
