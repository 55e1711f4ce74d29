#include "tests/support/message_sequence.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "tests/support/message_names.h"

namespace {
// The hooks of a thread have no context argument; one pair serves every
// recorder alive.
std::vector<MessageRecorder *> Recorders;
HHOOK SentHookHandle = nullptr;
HHOOK TakenHookHandle = nullptr;

std::string FlagsText(uint32_t flags, WPARAM wParam, bool showWParam) {
  std::string text = (flags & SEQ_SENT) != 0 ? " sent" : (flags & SEQ_POSTED) != 0 ? " posted" : "";
  if ((flags & SEQ_OPTIONAL) != 0) {
    text += " optional";
  }
  if (showWParam) {
    char number[32];
    std::snprintf(number, sizeof number, " wParam=0x%llx", static_cast<unsigned long long>(wParam));
    text += number;
  }
  return text;
}

std::string ExpectedText(const ExpectedMessage *row) {
  if (row == nullptr) {
    return "";
  }
  return MessageName(row->message) + FlagsText(row->flags, row->wParam, (row->flags & SEQ_WPARAM) != 0);
}

std::string RecordedText(const RecordedMessage *row) {
  return row == nullptr ? "" : MessageName(row->message) + FlagsText(row->flags, row->wParam, true);
}

// A recorded message fits an expected row when the message, the way it
// arrived (where the row names one) and the wParam (where the row asks) agree.
bool RowFits(const ExpectedMessage &expected, const RecordedMessage &got) {
  uint32_t delivery = expected.flags & (SEQ_SENT | SEQ_POSTED);
  return expected.message == got.message && (delivery == 0 || delivery == got.flags) &&
         ((expected.flags & SEQ_WPARAM) == 0 || expected.wParam == got.wParam);
}

struct SideBySide {
  std::string text;
  void Row(const char *mark, const std::string &left, const std::string &right) {
    char line[160];
    std::snprintf(line, sizeof line, "\n %s %-44s %s", mark, left.c_str(), right.c_str());
    text += line;
  }
};
} // namespace

MessageRecorder::MessageRecorder(HWND window, MessageFilter filter) : window_(window), filter_(filter) {
  if (Recorders.empty()) {
    SentHookHandle = SetWindowsHookExA(WH_CALLWNDPROC, SentHook, nullptr, GetCurrentThreadId());
    TakenHookHandle = SetWindowsHookExA(WH_GETMESSAGE, TakenHook, nullptr, GetCurrentThreadId());
  }
  Recorders.push_back(this);
}

MessageRecorder::~MessageRecorder() {
  Recorders.erase(std::find(Recorders.begin(), Recorders.end(), this));
  if (Recorders.empty()) {
    UnhookWindowsHookEx(TakenHookHandle);
    UnhookWindowsHookEx(SentHookHandle);
  }
}

// Called only for SendMessage traffic, before the window procedure runs.
LRESULT CALLBACK MessageRecorder::SentHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const CWPSTRUCT *call = reinterpret_cast<const CWPSTRUCT *>(lParam);
    MSG message = {call->hwnd, call->message, call->wParam, call->lParam, 0, {}};
    for (MessageRecorder *recorder : Recorders) {
      recorder->Record(message, SEQ_SENT);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Called for every look at the queue; only a removal takes the message.
LRESULT CALLBACK MessageRecorder::TakenHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == PM_REMOVE) {
    for (MessageRecorder *recorder : Recorders) {
      recorder->Record(*reinterpret_cast<const MSG *>(lParam), SEQ_POSTED);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void MessageRecorder::Record(const MSG &message, uint32_t flags) {
  if ((window_ == nullptr || message.hwnd == window_) && filter_(message.message, message.wParam, message.lParam)) {
    recorded_.push_back({message.message, flags, message.wParam, message.lParam});
  }
}

testing::AssertionResult SequenceCheck(const std::vector<RecordedMessage> &run, const ExpectedMessage *expected) {
  SideBySide table;
  table.Row(" ", "expected", "recorded");
  bool same = true;
  const ExpectedMessage *row = expected;
  size_t next = 0;
  while (row->message != 0 || next < run.size()) {
    const ExpectedMessage *want = row->message != 0 ? row : nullptr;
    const RecordedMessage *got = next < run.size() ? &run[next] : nullptr;
    bool fits = want != nullptr && got != nullptr && RowFits(*want, *got);
    bool skipped = !fits && want != nullptr && (want->flags & SEQ_OPTIONAL) != 0;
    table.Row(fits || skipped ? " " : "!", ExpectedText(want), skipped ? "" : RecordedText(got));
    same = same && (fits || skipped);
    row += want != nullptr ? 1 : 0;
    next += got != nullptr && !skipped ? 1 : 0;
  }
  if (same) {
    return testing::AssertionSuccess();
  }
  return testing::AssertionFailure() << "the message sequence differs:" << table.text;
}

testing::AssertionResult MessageRecorder::Check(const ExpectedMessage *expected) {
  testing::AssertionResult result = SequenceCheck(recorded_, expected);
  Flush();
  return result;
}
