#include "toolkit/strings/string_wide.h"

#include <windows.h>

#include "toolkit/strings/string_engine.h"

void StrFromWide(const wchar_t *text, int32_t pos) {
  const wchar_t *source = text ? text : L"";
  int32_t size = WideCharToMultiByte(CP_ACP, 0, source, -1, nullptr, 0, nullptr, nullptr);
  // The size counts the NUL; a text the platform cannot convert is empty.
  int32_t reserved = size > 0 ? size : 1;
  char *converted = ScratchReserve(reserved, pos);
  *converted = '\0';
  int32_t written = size > 0 ? WideCharToMultiByte(CP_ACP, 0, source, -1, converted, size, nullptr, nullptr) : 0;
  ScratchRelease(reserved - (written > 0 ? written - 1 : 0));
}
