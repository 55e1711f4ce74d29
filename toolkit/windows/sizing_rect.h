// The rectangle arithmetic of the sizing mode, kept free of the platform so
// that it builds and is tested everywhere.
#pragma once
#include <cstdint>

// The edge being moved; the values are the platform's WMSZ_* codes.
enum : int32_t {
  SIZING_EDGE_NONE = 0,
  SIZING_EDGE_LEFT = 1,
  SIZING_EDGE_RIGHT = 2,
  SIZING_EDGE_TOP = 3,
  SIZING_EDGE_TOP_LEFT = 4,
  SIZING_EDGE_TOP_RIGHT = 5,
  SIZING_EDGE_BOTTOM = 6,
  SIZING_EDGE_BOTTOM_LEFT = 7,
  SIZING_EDGE_BOTTOM_RIGHT = 8,
};

struct SizingRect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

// Minimum and maximum tracking sizes of the window.
struct SizingLimits {
  int32_t minWidth;
  int32_t minHeight;
  int32_t maxWidth;
  int32_t maxHeight;
};

// The rectangle after dragging the given edge to the screen point (x, y); the
// opposite edge stays where it is and the size stays within the limits.
SizingRect SizingRectCompute(SizingRect rect, int32_t edge, SizingLimits limits, int32_t x, int32_t y);
