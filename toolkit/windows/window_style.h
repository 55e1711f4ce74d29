// How a WindowOpen flags word becomes a platform style and an outer rectangle.
#pragma once
#include <cstdint>
#include <windows.h>

struct WindowStyle {
  DWORD style;
  DWORD extendedStyle;
  bool visible;        // show the window once it exists
  bool keepGadgetList; // WINDOW_FLAG_NO_GADGET_LIST was given
};

struct WindowPlacement {
  int32_t x;
  int32_t y;
  int32_t width; // outer size
  int32_t height;
};

WindowStyle WindowStyleFromFlags(uint32_t flags);
// Outer position and size for an inner size, with the default position and
// the centring flags applied.
WindowPlacement WindowPlacementCompute(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t flags,
                                       const WindowStyle &style);
