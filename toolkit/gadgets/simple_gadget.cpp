// The creation path of buttons, labels and text fields.
#include "toolkit/gadgets/simple_gadget.h"

#include <cstring>

#include "toolkit/gadgets/gadget_create.h"
#include "toolkit/gadgets/simple_gadgets.h"

static void SimpleGadgetFillOperations(const SimpleGadgetType *type) {
  memset(type->operations, 0, sizeof(GadgetOps));
  type->operations->type = type->typeNumber;
  if (type->coloured) {
    ColoredGadgetFillOperations(type->operations);
  }
  type->fillOperations(type->operations);
}

HWND SimpleGadgetCreate(const SimpleGadgetType *type, ObjectId number, int32_t x, int32_t y, int32_t width,
                        int32_t height, const char *text, uint32_t flags, DWORD extendedStyle) {
  // The table's type number is never 0, so it also marks the table filled.
  if (type->operations->type == 0) {
    SimpleGadgetFillOperations(type);
  }
  GadgetControlShape shape = {extendedStyle, type->className, flags | type->style, text ? text : "", -1};
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

DWORD SimpleGadgetEdge(uint32_t flags) {
  return (flags & SIMPLE_GADGET_FLAG_EDGE) != 0 ? WS_EX_CLIENTEDGE : 0;
}
