#include "toolkit/core/module_instance.h"

HINSTANCE ModuleInstance;

bool ModuleInstanceSet() {
  ModuleInstance = GetModuleHandleA(nullptr);
  return ModuleInstance != nullptr;
}
