// What buttons, labels and text fields share: their creation and, for labels
// and text fields, their colours.
#pragma once
#include <cstdint>
#include <windows.h>
#include "toolkit/gadgets/gadget.h"

// The creation flag that moves a label's or text field's sunken edge: the
// flags shifted right by 8 give WS_EX_CLIENTEDGE.
const uint32_t SIMPLE_GADGET_FLAG_EDGE = WS_EX_CLIENTEDGE << 8;
static_assert(SIMPLE_GADGET_FLAG_EDGE == 0x20000, "the edge flag of labels and text fields");

struct SimpleGadgetType {
  GadgetOps *operations;
  int32_t typeNumber;
  // The type's own slots; the colour slots are filled for a coloured type.
  void (*fillOperations)(GadgetOps *operations);
  const char *className;
  DWORD style;                // always in the control's style, beside the caller's flags
  bool coloured;              // keeps back and text colours in its type words
  WNDPROC ownProcedure;       // installed before GadgetWindowProc, or null
  WNDPROC *replacedProcedure; // where the procedure it replaces is kept
};

HWND SimpleGadgetCreate(const SimpleGadgetType *type, ObjectId number, int32_t x, int32_t y, int32_t width,
                        int32_t height, const char *text, uint32_t flags, DWORD extendedStyle);
// WS_EX_CLIENTEDGE when the flags hold SIMPLE_GADGET_FLAG_EDGE, else 0.
DWORD SimpleGadgetEdge(uint32_t flags);

// Colour slots of labels and text fields. OnParentMessage is the type's own,
// built on ColoredGadgetPaint with the type's default background.
LRESULT ColoredGadgetPaint(GadgetRecord *gadget, HDC context, int defaultBackground);
void ColoredGadgetFillOperations(GadgetOps *operations);
