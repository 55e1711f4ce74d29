// The creation path of buttons, labels and text fields.
#include "toolkit/gadgets/simple_gadget.h"

#include <cstring>

#include "toolkit/gadgets/gadget_create.h"
#include "toolkit/gadgets/simple_gadgets.h"

HWND SimpleGadgetCreate(const SimpleGadgetType *type, ObjectId number, int32_t x, int32_t y, int32_t width,
                        int32_t height, const char *text, DWORD style, DWORD extendedStyle) {
  // The table's type number is never 0, so it also marks the table filled.
  if (type->operations->type == 0) {
    memset(type->operations, 0, sizeof(GadgetOps));
    type->fillOperations(type->operations);
  }
  GadgetControlShape shape = {extendedStyle, type->className, style, text ? text : "", -1};
  HWND control = GadgetControlCreate(&shape, x, y, width, height);
  if (!control) {
    return nullptr;
  }
  GadgetRecord *gadget = GadgetSlotTake(number, control);
  if (!gadget) {
    return nullptr;
  }
  if (type->ownProcedure) {
    *type->replacedProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(type->ownProcedure)));
  }
  if (type->coloured) {
    gadget->typeData[COLORED_TEXT_COLOR] = -1;
    gadget->typeData[COLORED_BACK_COLOR] = -1;
  }
  return GadgetRegister(number, gadget, control, type->operations);
}
