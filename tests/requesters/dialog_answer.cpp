#include "tests/requesters/dialog_answer.h"

#include <vector>

static BOOL CALLBACK DialogFind(HWND window, LPARAM found) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  char className[16] = "";
  GetClassNameA(window, className, sizeof className);
  if (processId == GetCurrentProcessId() && IsWindowVisible(window) && lstrcmpA(className, "#32770") == 0) {
    *reinterpret_cast<HWND *>(found) = window;
    return FALSE;
  }
  return TRUE;
}

static HWND DialogWait() {
  for (int attempt = 0; attempt < 1000; ++attempt) {
    HWND dialog = nullptr;
    EnumWindows(DialogFind, reinterpret_cast<LPARAM>(&dialog));
    if (dialog) {
      // Let the dialog finish the set-up it posts to itself.
      Sleep(300);
      return dialog;
    }
    Sleep(10);
  }
  return nullptr;
}

std::thread DialogAnswerStart(std::function<void(HWND dialog)> respond) {
  return std::thread([respond] {
    HWND dialog = DialogWait();
    if (!dialog) {
      return;
    }
    respond(dialog);
    // A respond that left the dialog open must not leave the test hanging.
    for (int attempt = 0; attempt < 500 && IsWindow(dialog); ++attempt) {
      Sleep(10);
    }
    if (IsWindow(dialog)) {
      DialogButtonPress(dialog, IDCANCEL);
    }
  });
}

std::string WindowTextRead(HWND window) {
  LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
  std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
  SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  return text.data();
}

void DialogButtonPress(HWND dialog, int buttonId) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}
