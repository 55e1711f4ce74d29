// A thread hook on the messages fetched: a modal loop (a message box's, for
// one) fetches its own, and only a hook sees those before they act. The hook
// is set while some key's repeats are used up.
#include "toolkit/windows/key_repeats.h"

#include <cstdint>

namespace {
const int32_t KEY_COUNT = 256;

HHOOK RepeatsHook;
bool UsedUp[KEY_COUNT];
int32_t UsedUpCount;

bool KeyIsDown(UINT message) {
  return message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
}

void KeyRepeatsLook(MSG *message) {
  bool down = KeyIsDown(message->message);
  if ((!down && message->message != WM_KEYUP && message->message != WM_SYSKEYUP) || message->wParam >= KEY_COUNT ||
      !UsedUp[message->wParam]) {
    return;
  }
  if (down && KeyIsRepeat(message->lParam)) {
    message->message = WM_NULL;
    return;
  }
  // Released, or a new press, which acts as usual.
  UsedUp[message->wParam] = false;
  if (--UsedUpCount == 0) {
    KeyRepeatsEnd();
  }
}

LRESULT CALLBACK KeyRepeatsHookProc(int code, WPARAM removal, LPARAM data) {
  // A message only looked at comes again when it is taken. The hooks after
  // this one see a used-up repeat as WM_NULL; the handle passed on is not
  // looked at, so it may be gone by then.
  if (code == HC_ACTION && removal == PM_REMOVE) {
    KeyRepeatsLook(reinterpret_cast<MSG *>(data));
  }
  return CallNextHookEx(nullptr, code, removal, data);
}
} // namespace

void KeyRepeatsUseUp(WPARAM key) {
  if (key >= KEY_COUNT || UsedUp[key]) {
    return;
  }
  if (RepeatsHook == nullptr) {
    RepeatsHook = SetWindowsHookExA(WH_GETMESSAGE, KeyRepeatsHookProc, nullptr, GetCurrentThreadId());
    // Without the hook the repeats act as they always did.
    if (RepeatsHook == nullptr) {
      return;
    }
  }
  UsedUp[key] = true;
  UsedUpCount++;
}

void KeyRepeatsEnd() {
  if (RepeatsHook != nullptr) {
    UnhookWindowsHookEx(RepeatsHook);
    RepeatsHook = nullptr;
  }
  for (bool &key : UsedUp) {
    key = false;
  }
  UsedUpCount = 0;
}
