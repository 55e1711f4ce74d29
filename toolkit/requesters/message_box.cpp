// The modal message box.
#include "toolkit/requesters/requesters.h"

int32_t ShowMessage(const char *title, const char *text, uint32_t flags) {
  DisableThreadWindows();
  int32_t result = MessageBoxA(ForegroundOwner(), text, title, flags);
  EnableThreadWindows();
  return result;
}
