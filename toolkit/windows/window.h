// Numbered top-level windows, each with a class of its own.
#pragma once
#include <cstdint>
#include <windows.h>
#include "toolkit/core/object_registry.h"
#include "toolkit/windows/property_names.h"

enum : uint32_t {
  WINDOW_FLAG_SCREEN_CENTERED = 0x00000001,
  WINDOW_FLAG_WINDOW_CENTERED = 0x00000002,
  WINDOW_FLAG_TOOL = 0x00000004,
  WINDOW_FLAG_NO_GADGET_LIST = 0x00000008,
  WINDOW_FLAG_INVISIBLE = 0x10000000,
};
enum : int32_t { WINDOW_POS_DEFAULT = -65535 };
enum : WORD { CMD_FOCUS_NEXT = 64001, CMD_FOCUS_PREVIOUS = 64002 };

struct WindowRecord {
  HWND window; // non-zero while open
  ACCEL *acceleratorEntries;
  HACCEL acceleratorTable;
  int32_t acceleratorCount;
  int32_t minimisedOrMaximised;
};

extern ObjectRegistry *WindowRegistry;
extern HICON WindowClassIcon;
extern HCURSOR WindowClassCursor;

// False when the platform refuses a registry or a state record.
bool WindowLibraryStartup();
void WindowLibraryShutdown();
HWND WindowOpen(ObjectId number, int32_t x, int32_t y, int32_t width, int32_t height, const char *title,
                uint32_t flags);
void WindowClose(ObjectId number);
