// Handing a message about a control to that control's gadget.
#include "toolkit/gadgets/gadget_forward.h"

#include "toolkit/core/object_registry.h"
#include "toolkit/gadgets/gadget.h"
#include "toolkit/windows/event.h"

LRESULT GadgetForwardMessage(HWND control, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (control == nullptr) {
    return PROC_DEFAULT;
  }
  ObjectId number = static_cast<ObjectId>(GetWindowLongPtrA(control, GWLP_ID));
  // Only the toolkit's own controls carry their number in "QX_ID" as well:
  // exactly the controls the registry names under that number. The registry
  // is asked instead of the property, which under Wine is a round trip to
  // the server for every notification (one per row added to a list).
  GadgetRecord *gadget = static_cast<GadgetRecord *>(RegistryLookup(GadgetRegistry, number));
  if (gadget == nullptr || gadget->window != control || gadget->operations->OnParentMessage == nullptr) {
    return PROC_DEFAULT;
  }
  return gadget->operations->OnParentMessage(gadget, window, message, wParam, lParam);
}
