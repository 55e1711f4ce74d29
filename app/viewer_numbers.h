// The numbers of the viewer's window, gadgets and file; the driver that works
// the viewer from another process finds its controls by them.
#pragma once
#include "toolkit/core/object_registry.h"

enum : ObjectId {
  WINDOW_MAIN = 0,
  GADGET_LIST = 0,
  GADGET_START = 1,
  GADGET_END = 2,
  GADGET_SEPARATOR_LABEL = 4,
  GADGET_SEPARATOR_FIELD = 5,
  FILE_CSV = 0,
};

// The main window's keyboard shortcuts: the number EVENT_MENU carries.
enum : int32_t {
  SHORTCUT_RELOAD = 1,
  SHORTCUT_FIND = 2,
  SHORTCUT_FIND_NEXT = 3,
  SHORTCUT_FIND_PREVIOUS = 4,
};
