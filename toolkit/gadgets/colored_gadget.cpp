// Per-gadget text and background colours of labels and text fields.
#include "toolkit/gadgets/brush_cache.h"
#include "toolkit/gadgets/simple_gadget.h"
#include "toolkit/gadgets/simple_gadgets.h"
#include "toolkit/windows/event.h"

LRESULT ColoredGadgetPaint(GadgetRecord *gadget, HDC context, int defaultBackground) {
  int32_t textColour = static_cast<int32_t>(gadget->typeData[COLORED_TEXT_COLOR]);
  int32_t backColour = static_cast<int32_t>(gadget->typeData[COLORED_BACK_COLOR]);
  LRESULT result = PROC_DEFAULT;
  if (textColour != -1) {
    SetTextColor(context, static_cast<COLORREF>(textColour));
    if (backColour == -1) {
      SetBkColor(context, GetSysColor(defaultBackground));
      result = reinterpret_cast<LRESULT>(GetSysColorBrush(defaultBackground));
    }
  }
  if (backColour != -1) {
    SetBkColor(context, static_cast<COLORREF>(backColour));
    result = gadget->typeData[COLORED_BACK_BRUSH];
  }
  return result;
}

static void ColoredGadgetDestroy(GadgetRecord *gadget);

static int32_t ColoredGadgetSetColor(GadgetRecord *gadget, int32_t kind, int32_t colour) {
  if (kind == COLOR_KIND_TEXT) {
    gadget->typeData[COLORED_TEXT_COLOR] = colour;
  } else if (kind == COLOR_KIND_BACK) {
    ColoredGadgetDestroy(gadget);
    gadget->typeData[COLORED_BACK_BRUSH] =
        colour == -1 ? 0 : reinterpret_cast<intptr_t>(BrushCacheAcquire(static_cast<COLORREF>(colour)));
    gadget->typeData[COLORED_BACK_COLOR] = colour;
  }
  return RedrawWindow(gadget->window, nullptr, nullptr, RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_FRAME);
}

static int32_t ColoredGadgetGetColor(GadgetRecord *gadget, int32_t kind) {
  if (kind == COLOR_KIND_TEXT) {
    return static_cast<int32_t>(gadget->typeData[COLORED_TEXT_COLOR]);
  }
  if (kind == COLOR_KIND_BACK) {
    return static_cast<int32_t>(gadget->typeData[COLORED_BACK_COLOR]);
  }
  return -1;
}

static void ColoredGadgetDestroy(GadgetRecord *gadget) {
  HBRUSH brush = reinterpret_cast<HBRUSH>(gadget->typeData[COLORED_BACK_BRUSH]);
  if (brush) {
    BrushCacheRelease(brush);
    gadget->typeData[COLORED_BACK_BRUSH] = 0;
  }
}

void ColoredGadgetFillOperations(GadgetOps *operations) {
  operations->OnDestroy = ColoredGadgetDestroy;
  operations->SetColor = ColoredGadgetSetColor;
  operations->GetColor = ColoredGadgetGetColor;
}
