// The viewer's process-wide variables and the numbers of its objects.
#pragma once
#include <cstdint>
#include "toolkit/core/object_registry.h"
#include "toolkit/strings/string_engine.h"

enum : ObjectId {
  WINDOW_MAIN = 0,
  GADGET_LIST = 0,
  GADGET_START = 1,
  GADGET_END = 2,
  GADGET_SEPARATOR_LABEL = 4,
  GADGET_SEPARATOR_FIELD = 5,
  FILE_CSV = 0,
};

extern StringVar SourcePath; // path returned by the open-file dialog
extern StringVar Separator;  // taken from the separator field at each "Start"
extern StringVar LineText;   // the line last read
extern StringVar RowText;    // that line with each separator turned into a line feed
extern int32_t QuitRequested;
extern int32_t LastEvent;
