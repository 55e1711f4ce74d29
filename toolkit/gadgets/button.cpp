// Push button: reports presses through WM_COMMAND; its state is the check.
#include "toolkit/gadgets/simple_gadget.h"
#include "toolkit/gadgets/simple_gadgets.h"

static GadgetOps ButtonOperations;

static int32_t ButtonGetState(GadgetRecord *gadget) {
  return static_cast<int32_t>(SendMessageA(gadget->window, BM_GETCHECK, 0, 0) & 1);
}

static void ButtonSetState(GadgetRecord *gadget, int32_t value) {
  SendMessageA(gadget->window, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
}

static void ButtonFillOperations(GadgetOps *operations) {
  operations->GetState = ButtonGetState;
  operations->SetState = ButtonSetState;
}

// A plain push button when the caller's flags are 0.
static const DWORD BUTTON_STYLE = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP;
static_assert(BUTTON_STYLE == 0x50030000, "the button's fixed style");

static const SimpleGadgetType ButtonType = {
    &ButtonOperations, GADGET_TYPE_BUTTON, ButtonFillOperations, "Button", BUTTON_STYLE, false, nullptr, nullptr};

HWND ButtonCreateEx(ObjectId number, int32_t x, int32_t y, int32_t width, int32_t height, const char *text,
                    uint32_t flags) {
  return SimpleGadgetCreate(&ButtonType, number, x, y, width, height, text, flags, 0);
}

HWND ButtonCreate(ObjectId number, int32_t x, int32_t y, int32_t width, int32_t height, const char *text) {
  return ButtonCreateEx(number, x, y, width, height, text, 0);
}
