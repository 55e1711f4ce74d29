// One-line text field: edit notifications through WM_COMMAND, focus changes
// posted as gadget events, its own colours on request.
#include "toolkit/gadgets/simple_gadget.h"
#include "toolkit/gadgets/simple_gadgets.h"
#include "toolkit/windows/event.h"

WNDPROC TextFieldClassProc;

static GadgetOps TextFieldOperations;

LRESULT CALLBACK TextFieldProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETFOCUS) {
    GadgetPostEvent(control, GADGET_EVENT_FOCUS);
  } else if (message == WM_KILLFOCUS) {
    GadgetPostEvent(control, GADGET_EVENT_LOST_FOCUS);
  }
  return CallWindowProcA(TextFieldClassProc, control, message, wParam, lParam);
}

static LRESULT TextFieldOnParentMessage(GadgetRecord *gadget, HWND, UINT message, WPARAM wParam, LPARAM) {
  // A read-only field asks with WM_CTLCOLORSTATIC; a disabled one keeps the
  // platform's look.
  if (message != WM_CTLCOLOREDIT && !(message == WM_CTLCOLORSTATIC && IsWindowEnabled(gadget->window))) {
    return PROC_DEFAULT;
  }
  return ColoredGadgetPaint(gadget, reinterpret_cast<HDC>(wParam), COLOR_BTNHIGHLIGHT);
}

static void TextFieldFillOperations(GadgetOps *operations) {
  operations->type = GADGET_TYPE_TEXT_FIELD;
  operations->OnParentMessage = TextFieldOnParentMessage;
  operations->OnDestroy = ColoredGadgetDestroy;
  operations->SetColor = ColoredGadgetSetColor;
  operations->GetColor = ColoredGadgetGetColor;
}

static const SimpleGadgetType TextFieldType = {&TextFieldOperations, TextFieldFillOperations, "Edit", true,
                                               TextFieldProc,        &TextFieldClassProc};

HWND TextFieldCreateEx(ObjectId number, int32_t x, int32_t y, int32_t width, int32_t height, const char *text,
                       uint32_t flags) {
  // Flag 0x20000 takes the sunken client edge away.
  return SimpleGadgetCreate(&TextFieldType, number, x, y, width, height, text, flags | 0x50030080,
                            ((flags >> 8) & 0x200) ^ 0x200);
}

HWND TextFieldCreate(ObjectId number, int32_t x, int32_t y, int32_t width, int32_t height, const char *text) {
  return TextFieldCreateEx(number, x, y, width, height, text, 0);
}
