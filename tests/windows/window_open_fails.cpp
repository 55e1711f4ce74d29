// A program whose window cannot be opened: the toolkit still shuts down and
// the process reports success. Any other exit code names the check that failed;
// the shutdown says that it ran by closing the file left open for it. With an
// argument, the string heap is refused, so start-up fails and the program
// never runs.
#include <cstdio>

#include "tests/support/import_patch.h"
#include "toolkit/core/module_instance.h"
#include "toolkit/files/file_reader.h"
#include "toolkit/startup/program_entry.h"
#include "toolkit/windows/window.h"
#include "toolkit/windows/window_class.h"

namespace {

char leftOpenPath[MAX_PATH + 64];

// The file registry's free callback for the rest of the run: shutdown closes
// the file through it, removes the file and reports.
void FileCloseReported(ObjectId number) {
  if (RegistryLookup(FileRegistry, number)) {
    FileClose(number);
    DeleteFileA(leftOpenPath);
    std::printf("file %d closed at shutdown\n", static_cast<int>(number));
    std::fflush(stdout);
  }
}

void FileLeaveOpen() {
  char directory[MAX_PATH + 1];
  GetTempPathA(sizeof directory, directory);
  std::snprintf(leftOpenPath, sizeof leftOpenPath, "%scsvview-open-fails-%lu.csv", directory, GetCurrentProcessId());
  CloseHandle(CreateFileA(leftOpenPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!FileOpen(0, leftOpenPath)) {
    ExitProcess(4);
  }
  FileRegistry->freeCallback = FileCloseReported;
}

typedef HANDLE(WINAPI *HeapCreateRoutine)(DWORD, SIZE_T, SIZE_T);
HeapCreateRoutine heapCreate;

// The program heap is serialised; the string heap is not.
HANDLE WINAPI StringHeapRefused(DWORD options, SIZE_T initialSize, SIZE_T maximumSize) {
  return (options & HEAP_NO_SERIALIZE) ? nullptr : heapCreate(options, initialSize, maximumSize);
}

void OutOfStorageReported() {
  std::printf("out of storage reported\n");
  std::fflush(stdout);
  ExitProcess(5);
}

} // namespace

static void OpenFailsMain() {
  // A child style without a parent is refused by the platform.
  if (WindowOpen(0, 100, 100, 500, 400, "", WS_CHILD | WS_CAPTION) != nullptr) {
    ExitProcess(1);
  }
  if (RegistryLookup(WindowRegistry, 0) != nullptr) {
    ExitProcess(2);
  }
  char className[32];
  std::snprintf(className, sizeof className, WINDOW_CLASS_NAME_FORMAT, 0);
  WNDCLASSA info;
  if (GetClassInfoA(ModuleInstance, className, &info)) {
    ExitProcess(3);
  }
  FileLeaveOpen();
}

int main(int argc, char **) {
  if (argc > 1) {
    heapCreate = reinterpret_cast<HeapCreateRoutine>(
        ImportReplace("kernel32.dll", "HeapCreate", reinterpret_cast<void *>(StringHeapRefused)));
  }
  ProgramEntry(OpenFailsMain, OutOfStorageReported);
}
