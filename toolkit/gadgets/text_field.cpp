// One-line text field: edit notifications through WM_COMMAND, focus changes
// and Enter posted as gadget events, its own colours on request.
#include "toolkit/gadgets/simple_gadget.h"
#include "toolkit/gadgets/simple_gadgets.h"
#include "toolkit/windows/event.h"
#include "toolkit/windows/key_repeats.h"

WNDPROC TextFieldClassProc;

static GadgetOps TextFieldOperations;

LRESULT CALLBACK TextFieldProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETFOCUS) {
    GadgetPostEvent(control, GADGET_EVENT_FOCUS);
  } else if (message == WM_KILLFOCUS) {
    GadgetPostEvent(control, GADGET_EVENT_LOST_FOCUS);
  } else if (message == WM_KEYDOWN && wParam == VK_RETURN && !KeyIsRepeat(lParam)) {
    GadgetPostEvent(control, GADGET_EVENT_ENTER);
  } else if (message == WM_CHAR && wParam == '\r') {
    // A one-line edit has no use for the line break and would only beep.
    return 0;
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
  operations->OnParentMessage = TextFieldOnParentMessage;
}

static const DWORD TEXT_FIELD_STYLE = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | ES_AUTOHSCROLL;
static_assert(TEXT_FIELD_STYLE == 0x50030080, "the text field's fixed style");

static const SimpleGadgetType TextFieldType = {
    &TextFieldOperations, GADGET_TYPE_TEXT_FIELD, TextFieldFillOperations, "Edit", TEXT_FIELD_STYLE, true,
    TextFieldProc,        &TextFieldClassProc};

HWND TextFieldCreateEx(ObjectId number, int32_t x, int32_t y, int32_t width, int32_t height, const char *text,
                       uint32_t flags) {
  // The edge flag takes the sunken client edge away.
  return SimpleGadgetCreate(&TextFieldType, number, x, y, width, height, text, flags,
                            SimpleGadgetEdge(flags) ^ WS_EX_CLIENTEDGE);
}

HWND TextFieldCreate(ObjectId number, int32_t x, int32_t y, int32_t width, int32_t height, const char *text) {
  return TextFieldCreateEx(number, x, y, width, height, text, 0);
}
