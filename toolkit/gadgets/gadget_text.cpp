// The text of a gadget: read as a string result in the scratch buffer, or set.
#include "toolkit/gadgets/gadget.h"
#include "toolkit/gadgets/simple_gadgets.h"
#include "toolkit/strings/string_engine.h"

void GadgetTextGet(ObjectId number, int32_t pos) {
  GadgetRecord *gadget = static_cast<GadgetRecord *>(RegistryLookup(GadgetRegistry, number));
  if (!gadget) {
    return;
  }
  if (gadget->operations->GetText) {
    gadget->operations->GetText(gadget, pos);
    return;
  }
  int32_t length = GetWindowTextLengthA(gadget->window);
  ScratchReserve(length, pos);
  *ScratchAt(pos) = '\0';
  int32_t copied = GetWindowTextA(gadget->window, ScratchAt(pos), length + 1);
  // The length reported beforehand may exceed what was copied.
  ScratchRelease(length - copied);
}

void GadgetTextSet(ObjectId number, const char *text) {
  GadgetRecord *gadget = static_cast<GadgetRecord *>(RegistryLookup(GadgetRegistry, number));
  if (!gadget) {
    return;
  }
  if (gadget->operations->SetText) {
    gadget->operations->SetText(gadget, text);
    return;
  }
  SetWindowTextA(gadget->window, text ? text : "");
}
