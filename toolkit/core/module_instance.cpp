#include "toolkit/core/module_instance.h"

HINSTANCE ModuleInstance;
