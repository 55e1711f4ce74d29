// A program whose window cannot be opened: the toolkit still shuts down and
// the process reports success. Any other exit code names the check that failed.
#include "toolkit/core/module_instance.h"
#include "toolkit/startup/program_entry.h"
#include "toolkit/windows/window.h"

void ApplicationMain() {
  // A child style without a parent is refused by the platform.
  if (WindowOpen(0, 100, 100, 500, 400, "", WS_CHILD | WS_CAPTION) != nullptr)
    ExitProcess(1);
  if (RegistryLookup(WindowRegistry, 0) != nullptr)
    ExitProcess(2);
  WNDCLASSA info;
  if (GetClassInfoA(ModuleInstance, "WindowClass_0", &info))
    ExitProcess(3);
}

int main() {
  ProgramEntry();
}
