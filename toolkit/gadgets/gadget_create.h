// The steps every gadget type's create operation shares: making the control
// on the current gadget list and taking the number's slot only once it exists.
#pragma once
#include <cstdint>
#include <windows.h>
#include "toolkit/core/object_registry.h"
#include "toolkit/gadgets/gadget.h"

struct GadgetControlShape {
  DWORD extendedStyle;
  const char *className;
  DWORD style;        // WS_CHILD and WS_VISIBLE are always added
  const char *text;   // window text; null for none
  LONG_PTR initialId; // replaced by the gadget number at registration
};

// The control on the current gadget list, or null when the platform refuses.
HWND GadgetControlCreate(const GadgetControlShape *shape, int32_t x, int32_t y, int32_t width, int32_t height);

// The number's slot for a control that exists. The gadget the number named
// goes now, after its successor exists. A number the registry refuses
// (negative) gives null and destroys the new control, so nothing changes.
GadgetRecord *GadgetSlotTake(ObjectId number, HWND control);
