// Label: a static text, with its own colours on request.
#include "toolkit/gadgets/simple_gadget.h"
#include "toolkit/gadgets/simple_gadgets.h"
#include "toolkit/windows/event.h"

static GadgetOps LabelOperations;

static LRESULT LabelOnParentMessage(GadgetRecord *gadget, HWND, UINT message, WPARAM wParam, LPARAM) {
  if (message != WM_CTLCOLORSTATIC) {
    return PROC_DEFAULT;
  }
  return ColoredGadgetPaint(gadget, reinterpret_cast<HDC>(wParam), COLOR_BTNFACE);
}

static void LabelFillOperations(GadgetOps *operations) {
  operations->OnParentMessage = LabelOnParentMessage;
}

static const DWORD LABEL_STYLE = WS_CHILD | WS_VISIBLE | WS_GROUP;
static_assert(LABEL_STYLE == 0x50020000, "the label's fixed style");

static const SimpleGadgetType LabelType = {
    &LabelOperations, GADGET_TYPE_LABEL, LabelFillOperations, "Static", LABEL_STYLE, true, nullptr, nullptr};

HWND LabelCreateEx(ObjectId number, int32_t x, int32_t y, int32_t width, int32_t height, const char *text,
                   uint32_t flags) {
  // The edge flag asks for the sunken client edge.
  return SimpleGadgetCreate(&LabelType, number, x, y, width, height, text, flags, SimpleGadgetEdge(flags));
}

HWND LabelCreate(ObjectId number, int32_t x, int32_t y, int32_t width, int32_t height, const char *text) {
  return LabelCreateEx(number, x, y, width, height, text, 0);
}
