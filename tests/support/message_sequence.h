// Message sequences: a recorder of what reaches a window, and a check of a
// recording (or of any run of codes) against an expected table. A check is
// flush, act, check:
//
//   // ReleaseCapture() during the sizing mode
//   const ExpectedMessage SIZING_END[] = {{WM_CAPTURECHANGED, SEQ_SENT}, {WM_EXITSIZEMOVE, SEQ_POSTED}, {0}};
//   recorder.Flush();
//   ReleaseCapture();
//   EventDrain();
//   EXPECT_TRUE(recorder.Check(SIZING_END));
//
// A comment on each table names the call that produces it.
#pragma once
#include <cstdint>
#include <vector>
#include <windows.h>

#include <gtest/gtest.h>

enum : uint32_t {
  SEQ_SENT = 0x1,     // delivered by SendMessage
  SEQ_POSTED = 0x2,   // taken from the queue
  SEQ_OPTIONAL = 0x4, // may be absent; the platform decides
  SEQ_WPARAM = 0x8,   // wParam must be the table's
};

// One row of an expected table; a table ends with {0}.
struct ExpectedMessage {
  UINT message;
  uint32_t flags = 0;
  WPARAM wParam = 0;
};

struct RecordedMessage {
  UINT message;
  uint32_t flags; // SEQ_SENT or SEQ_POSTED
  WPARAM wParam;
  LPARAM lParam;
};

// Compares a run with the table, printing both side by side when they differ.
testing::AssertionResult SequenceCheck(const std::vector<RecordedMessage> &run, const ExpectedMessage *expected);

// Which messages belong to a recording.
using MessageFilter = bool (*)(UINT message, WPARAM wParam, LPARAM lParam);

// Records, through thread hooks, the messages sent to the window and those
// the thread takes from its queue for it (dispatched or not), as far as the
// filter keeps them; a null window stands for every window of the thread.
// Several recorders may run at once.
class MessageRecorder {
public:
  MessageRecorder(HWND window, MessageFilter filter);
  ~MessageRecorder();
  MessageRecorder(const MessageRecorder &) = delete;
  MessageRecorder &operator=(const MessageRecorder &) = delete;

  void Flush() { recorded_.clear(); }
  const std::vector<RecordedMessage> &Recorded() const { return recorded_; }
  // Compares the recording with the table, printing both side by side when
  // they differ, and flushes it.
  testing::AssertionResult Check(const ExpectedMessage *expected);

private:
  static LRESULT CALLBACK SentHook(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK TakenHook(int code, WPARAM wParam, LPARAM lParam);
  void Record(const MSG &message, uint32_t flags);

  HWND window_;
  MessageFilter filter_;
  std::vector<RecordedMessage> recorded_;
};
