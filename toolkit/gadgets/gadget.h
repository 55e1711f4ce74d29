// The gadget framework: numbered controls, per-type operation tables, the
// common creation path and the control window procedure.
#pragma once
#include <cstdint>
#include <windows.h>
#include "toolkit/core/object_registry.h"
#include "toolkit/gadgets/gadget_items.h"

// The gadget number on every registered control, as the toolkit's window
// properties with the prefix "QX_".
#define GADGET_ID_PROPERTY "QX_ID"

enum : int32_t {
  GADGET_TYPE_BUTTON = 1,
  GADGET_TYPE_TEXT_FIELD = 2,
  GADGET_TYPE_LABEL = 3,
  GADGET_TYPE_LIST_VIEW = 12,
};

enum : int32_t {
  GADGET_EVENT_LEFT_CLICK = 0,
  GADGET_EVENT_RIGHT_CLICK = 1,
  GADGET_EVENT_LEFT_DOUBLE_CLICK = 2,
  GADGET_EVENT_RIGHT_DOUBLE_CLICK = 3,
  GADGET_EVENT_CHANGE = 768,
  GADGET_EVENT_FOCUS = 14000,
  GADGET_EVENT_LOST_FOCUS = 14001,
  GADGET_EVENT_DRAG_START = 14002,
  // A list's Ctrl+C found too little memory; the clipboard is as it was.
  GADGET_EVENT_COPY_FAILED = 14003,
  // A list's Ctrl+C found the clipboard held by another program.
  GADGET_EVENT_CLIPBOARD_BUSY = 14004,
  // Enter pressed afresh in a text field (an auto-repeat is not reported).
  GADGET_EVENT_ENTER = 14005,
  // A click on a list's column header; the column: ListViewColumnClickTake.
  GADGET_EVENT_COLUMN_CLICK = 14006,
};
static_assert(GADGET_EVENT_CHANGE == EN_CHANGE, "a text field's change is its edit notification");

enum : int32_t { COLOR_KIND_TEXT = 1, COLOR_KIND_BACK = 2, COLOR_KIND_LINE = 3 };

struct GadgetOps;

struct GadgetRecord {
  HWND window; // non-zero while the gadget exists
  const GadgetOps *operations;
  WNDPROC previousProcedure;
  intptr_t typeData[4]; // pointer-sized, so a type may keep a handle in a word
};

// One table per gadget type, in slot order; an empty slot is null.
struct GadgetOps {
  int32_t type;
  LRESULT (*OnParentMessage)(GadgetRecord *gadget, HWND parent, UINT message, WPARAM wParam, LPARAM lParam);
  void (*OnDestroy)(GadgetRecord *gadget);
  int32_t (*GetState)(GadgetRecord *gadget);
  void (*SetState)(GadgetRecord *gadget, int32_t value);
  void (*GetText)(GadgetRecord *gadget, int32_t pos);
  int32_t (*SetText)(GadgetRecord *gadget, const char *text);
  int32_t (*AddItem)(GadgetRecord *gadget, int32_t position, const char *text, int32_t image);
  int32_t (*AddItemExtended)(GadgetRecord *gadget, int32_t position, const char *text, int32_t image, int32_t extra);
  void (*RemoveItem)(GadgetRecord *gadget, int32_t index);
  void (*ClearItems)(GadgetRecord *gadget);
  int32_t (*CountItems)(GadgetRecord *gadget);
  int32_t (*GetItemState)(GadgetRecord *gadget, int32_t index);
  void (*SetItemState)(GadgetRecord *gadget, int32_t index, int32_t bits);
  void (*GetItemText)(GadgetRecord *gadget, int32_t index, int32_t column, int32_t pos);
  void (*SetItemText)(GadgetRecord *gadget, int32_t index, const char *text, int32_t column);
  int32_t (*AddColumn)(GadgetRecord *gadget, int32_t position, const char *title, int32_t width);
  void (*RemoveColumn)(GadgetRecord *gadget, int32_t index);
  int32_t (*GetAttribute)(GadgetRecord *gadget, int32_t attribute);
  void (*SetAttribute)(GadgetRecord *gadget, int32_t attribute, int32_t value);
  int32_t (*GetItemAttribute)(GadgetRecord *gadget, int32_t index, int32_t attribute, int32_t column);
  void (*SetItemAttribute)(GadgetRecord *gadget, int32_t index, int32_t attribute, int32_t value, int32_t column);
  int32_t (*SetColor)(GadgetRecord *gadget, int32_t kind, int32_t colour);
  int32_t (*GetColor)(GadgetRecord *gadget, int32_t kind);
  void (*SetItemColor)(GadgetRecord *gadget, int32_t index, int32_t kind, int32_t colour, int32_t column);
  int32_t (*GetItemColor)(GadgetRecord *gadget, int32_t index, int32_t kind, int32_t column);
  void (*SetItemData)(GadgetRecord *gadget, int32_t index, int32_t value);
  int32_t (*GetItemData)(GadgetRecord *gadget, int32_t index);
};

extern ObjectRegistry *GadgetRegistry;
extern HFONT GadgetLibraryFont;
extern CRITICAL_SECTION BrushCacheLock;
// Set by GadgetLibraryShutdown: the windows closed next take their gadgets
// with them at program end, so a gadget may leave to the process's end what
// that gives back anyway.
extern bool GadgetsEnding;

// False when the platform refuses the registry.
bool GadgetLibraryStartup();
void GadgetLibraryShutdown();

HWND GadgetRegister(ObjectId number, GadgetRecord *gadget, HWND control, const GadgetOps *operations);
LRESULT CALLBACK GadgetWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void GadgetFree(ObjectId number);

void GadgetPostEvent(HWND control, int32_t eventType);
HWND GadgetOwnerWindow(HWND window);
