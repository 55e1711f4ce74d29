// What buttons, labels and text fields share: their creation and, for labels
// and text fields, their colours.
#pragma once
#include <cstdint>
#include <windows.h>
#include "toolkit/gadgets/gadget.h"

struct SimpleGadgetType {
  GadgetOps *operations;
  void (*fillOperations)(GadgetOps *operations); // sets the type number and slots
  const char *className;
  bool coloured;              // keeps back and text colours in its type words
  WNDPROC ownProcedure;       // installed before GadgetWindowProc, or null
  WNDPROC *replacedProcedure; // where the procedure it replaces is kept
};

HWND SimpleGadgetCreate(const SimpleGadgetType *type, ObjectId number, int32_t x, int32_t y, int32_t width,
                        int32_t height, const char *text, DWORD style, DWORD extendedStyle);

// Colour slots of labels and text fields. OnParentMessage is the type's own,
// built on ColoredGadgetPaint with the type's default background.
LRESULT ColoredGadgetPaint(GadgetRecord *gadget, HDC context, int defaultBackground);
int32_t ColoredGadgetSetColor(GadgetRecord *gadget, int32_t kind, int32_t colour);
int32_t ColoredGadgetGetColor(GadgetRecord *gadget, int32_t kind);
void ColoredGadgetDestroy(GadgetRecord *gadget);
