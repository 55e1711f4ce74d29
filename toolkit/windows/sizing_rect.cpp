#include "toolkit/windows/sizing_rect.h"

namespace {

// Coordinates are worked in 64 bits so that extreme limits a window procedure
// may report (a maximum of INT32_MAX, say) cannot overflow.
int32_t SizingSaturate(int64_t value) {
  if (value < INT32_MIN) {
    return INT32_MIN;
  }
  if (value > INT32_MAX) {
    return INT32_MAX;
  }
  return static_cast<int32_t>(value);
}

// Moves the near end of a span to the point, keeping the far end.
int32_t SizingClampNear(int64_t nearEnd, int64_t farEnd, int64_t minSize, int64_t maxSize) {
  if (farEnd - nearEnd < minSize) {
    nearEnd = farEnd - minSize;
  } else if (farEnd - nearEnd > maxSize) {
    nearEnd = farEnd - maxSize;
  }
  return SizingSaturate(nearEnd);
}

// Moves the far end of a span to the point, keeping the near end.
int32_t SizingClampFar(int64_t nearEnd, int64_t farEnd, int64_t minSize, int64_t maxSize) {
  if (farEnd - nearEnd < minSize) {
    farEnd = nearEnd + minSize;
  } else if (farEnd - nearEnd > maxSize) {
    farEnd = nearEnd + maxSize;
  }
  return SizingSaturate(farEnd);
}

} // namespace

SizingRect SizingRectCompute(SizingRect rect, int32_t edge, SizingLimits limits, int32_t x, int32_t y) {
  // A cursor placed 2 pixels inside the right or bottom edge (and inside both
  // edges of the top-left corner) by the keyboard reproduces that edge exactly.
  if (edge == SIZING_EDGE_LEFT || edge == SIZING_EDGE_TOP_LEFT || edge == SIZING_EDGE_BOTTOM_LEFT) {
    int64_t left = edge == SIZING_EDGE_TOP_LEFT ? static_cast<int64_t>(x) - 2 : x;
    rect.left = SizingClampNear(left, rect.right, limits.minWidth, limits.maxWidth);
  }
  if (edge == SIZING_EDGE_RIGHT || edge == SIZING_EDGE_TOP_RIGHT || edge == SIZING_EDGE_BOTTOM_RIGHT) {
    rect.right = SizingClampFar(rect.left, static_cast<int64_t>(x) + 2, limits.minWidth, limits.maxWidth);
  }
  if (edge == SIZING_EDGE_TOP || edge == SIZING_EDGE_TOP_LEFT || edge == SIZING_EDGE_TOP_RIGHT) {
    int64_t top = edge == SIZING_EDGE_TOP_LEFT ? static_cast<int64_t>(y) - 2 : y;
    rect.top = SizingClampNear(top, rect.bottom, limits.minHeight, limits.maxHeight);
  }
  if (edge == SIZING_EDGE_BOTTOM || edge == SIZING_EDGE_BOTTOM_LEFT || edge == SIZING_EDGE_BOTTOM_RIGHT) {
    rect.bottom = SizingClampFar(rect.top, static_cast<int64_t>(y) + 2, limits.minHeight, limits.maxHeight);
  }
  return rect;
}
