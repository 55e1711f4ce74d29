// Handing a message about a control to that control's gadget.
#include "toolkit/core/object_registry.h"
#include "toolkit/gadgets/gadget.h"
#include "toolkit/windows/event.h"

LRESULT GadgetForwardMessage(HWND control, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (control == nullptr)
    return PROC_DEFAULT;
  int32_t number = (int32_t)GetWindowLongPtrA(control, GWLP_ID);
  // Only the toolkit's own controls carry their number in "QX_ID" as well.
  if ((INT_PTR)GetPropA(control, GADGET_ID_PROPERTY) != number)
    return PROC_DEFAULT;
  GadgetRecord *gadget = (GadgetRecord *)RegistryLookup(GadgetRegistry, number);
  // A missing "QX_ID" reads as 0, so a foreign control with identifier 0 must
  // not be taken for gadget 0.
  if (gadget == nullptr || gadget->window != control || gadget->operations->OnParentMessage == nullptr)
    return PROC_DEFAULT;
  return gadget->operations->OnParentMessage(gadget, window, message, wParam, lParam);
}
