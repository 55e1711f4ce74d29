// The viewer's variables start zero and empty, as the entry expects.
#include "app/app_state.h"

#include <cstring>
#include <cwchar>
#include <windows.h>

#include "toolkit/core/program_heap.h"

StringVar SourcePath;
StringVar Separator;
StringVar LineText;
StringVar RowText;
int32_t QuitRequested;
int32_t LastEvent;
wchar_t *LastLoadPath;

void LastLoadPathSet(const wchar_t *path) {
  // The name given may be the one kept.
  if (path == LastLoadPath) {
    return;
  }
  wchar_t *copy = nullptr;
  if (path != nullptr) {
    SIZE_T bytes = (wcslen(path) + 1) * sizeof(wchar_t);
    copy = static_cast<wchar_t *>(HeapAlloc(ProgramHeap, 0, bytes));
    if (copy != nullptr) {
      memcpy(copy, path, bytes);
    }
  }
  if (LastLoadPath != nullptr) {
    HeapFree(ProgramHeap, 0, LastLoadPath);
  }
  LastLoadPath = copy;
}
