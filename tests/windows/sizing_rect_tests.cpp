// Rectangle arithmetic of the sizing mode: which sides follow the point, the
// 2-pixel offsets, and the tracking limits on every edge.
#include <gtest/gtest.h>

#include <cstdint>

#include "toolkit/windows/sizing_rect.h"

// Found by argument-dependent lookup, so they live beside SizingRect.
static bool operator==(const SizingRect &a, const SizingRect &b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

static void PrintTo(const SizingRect &r, std::ostream *out) {
  *out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

namespace {

const SizingRect START = {100, 200, 400, 500}; // 300 x 300
const SizingLimits LIMITS = {120, 80, 600, 700};

struct SizingCase {
  const char *name;
  int32_t edge;
  int32_t x;
  int32_t y;
  SizingRect expected;
};

TEST(SizingRectTest, EachEdgeFollowsThePointWithinTheLimits) {
  const SizingCase cases[] = {
      {"none", 0, 50, 60, START},
      {"undefined edge 9", 9, 50, 60, START},
      {"left", 1, 150, 60, {150, 200, 400, 500}},
      {"right", 2, 450, 60, {100, 200, 452, 500}},
      {"top", 3, 50, 150, {100, 150, 400, 500}},
      {"top-left, 2 px inside", 4, 152, 252, {150, 250, 400, 500}},
      {"top-right", 5, 448, 250, {100, 250, 450, 500}},
      {"bottom", 6, 50, 548, {100, 200, 400, 550}},
      {"bottom-left", 7, 50, 548, {50, 200, 400, 550}},
      {"bottom-right", 8, 448, 548, {100, 200, 450, 550}},
      // The cursor positions the keyboard uses reproduce the edges exactly.
      {"left at left", 1, 100, 0, START},
      {"right at right - 2", 2, 398, 0, START},
      {"top at top", 3, 0, 200, START},
      {"bottom at bottom - 2", 6, 0, 498, START},
      {"top-left at left + 2, top + 2", 4, 102, 202, START},
      {"top-right at right - 2, top", 5, 398, 200, START},
      {"bottom-left at left, bottom - 2", 7, 100, 498, START},
      {"bottom-right at right - 2, bottom - 2", 8, 398, 498, START},
  };
  for (const SizingCase &c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SizingRectCompute(START, c.edge, LIMITS, c.x, c.y), c.expected);
  }
}

TEST(SizingRectTest, TrackingLimitsHoldOnEveryEdge) {
  const SizingCase cases[] = {
      // Dragged past the opposite side: the minimum size is kept.
      {"left past right", 1, 900, 0, {280, 200, 400, 500}},
      {"right past left", 2, -300, 0, {100, 200, 220, 500}},
      {"top past bottom", 3, 0, 900, {100, 420, 400, 500}},
      {"bottom past top", 6, 0, -300, {100, 200, 400, 280}},
      {"top-left past both", 4, 900, 900, {280, 420, 400, 500}},
      {"top-right past both", 5, -300, 900, {100, 420, 220, 500}},
      {"bottom-left past both", 7, 900, -300, {280, 200, 400, 280}},
      {"bottom-right past both", 8, -300, -300, {100, 200, 220, 280}},
      // Dragged far outward: the maximum size is kept.
      {"left far out", 1, -2000, 0, {-200, 200, 400, 500}},
      {"right far out", 2, 5000, 0, {100, 200, 700, 500}},
      {"top far out", 3, 0, -2000, {100, -200, 400, 500}},
      {"bottom far out", 6, 0, 5000, {100, 200, 400, 900}},
      {"top-left far out", 4, -2000, -2000, {-200, -200, 400, 500}},
      {"bottom-right far out", 8, 5000, 5000, {100, 200, 700, 900}},
      // Exactly at the limits nothing is corrected.
      {"left at the minimum", 1, 280, 0, {280, 200, 400, 500}},
      {"right at the maximum", 2, 698, 0, {100, 200, 700, 500}},
  };
  for (const SizingCase &c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SizingRectCompute(START, c.edge, LIMITS, c.x, c.y), c.expected);
  }
}

TEST(SizingRectTest, OppositeEdgesNeverMoveAndSizeStaysInBounds) {
  for (int32_t edge = 1; edge <= 8; ++edge) {
    for (int32_t x = -1000; x <= 1500; x += 37) {
      for (int32_t y = -1000; y <= 1500; y += 41) {
        SizingRect r = SizingRectCompute(START, edge, LIMITS, x, y);
        bool movesLeft = edge == 1 || edge == 4 || edge == 7;
        bool movesRight = edge == 2 || edge == 5 || edge == 8;
        bool movesTop = edge == 3 || edge == 4 || edge == 5;
        bool movesBottom = edge == 6 || edge == 7 || edge == 8;
        ASSERT_TRUE(movesLeft || r.left == START.left) << edge;
        ASSERT_TRUE(movesRight || r.right == START.right) << edge;
        ASSERT_TRUE(movesTop || r.top == START.top) << edge;
        ASSERT_TRUE(movesBottom || r.bottom == START.bottom) << edge;
        ASSERT_GE(r.right - r.left, movesLeft || movesRight ? LIMITS.minWidth : 0) << edge;
        ASSERT_LE(r.right - r.left, LIMITS.maxWidth) << edge;
        ASSERT_GE(r.bottom - r.top, movesTop || movesBottom ? LIMITS.minHeight : 0) << edge;
        ASSERT_LE(r.bottom - r.top, LIMITS.maxHeight) << edge;
      }
    }
  }
}

TEST(SizingRectTest, UnusualLimits) {
  // A tool window may be as narrow as 1 pixel.
  const SizingLimits tool = {1, 80, 600, 700};
  EXPECT_EQ(SizingRectCompute(START, 2, tool, -500, 0), (SizingRect{100, 200, 101, 500}));
  EXPECT_EQ(SizingRectCompute(START, 1, tool, 399, 0), (SizingRect{399, 200, 400, 500}));
  // A minimum above the maximum: the minimum wins.
  const SizingLimits crossed = {500, 80, 200, 700};
  EXPECT_EQ(SizingRectCompute(START, 2, crossed, 300, 0), (SizingRect{100, 200, 600, 500}));
  // Limits at the ends of the 32-bit range neither overflow nor wrap.
  const SizingLimits huge = {0, 0, INT32_MAX, INT32_MAX};
  EXPECT_EQ(SizingRectCompute(START, 1, huge, INT32_MIN, 0), (SizingRect{400 - INT32_MAX, 200, 400, 500}));
  EXPECT_EQ(SizingRectCompute(START, 8, huge, INT32_MAX, INT32_MAX), (SizingRect{100, 200, INT32_MAX, INT32_MAX}));
  const SizingLimits hugeMinimum = {INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX};
  const SizingRect nearOrigin = {-50, -50, -10, -10};
  EXPECT_EQ(SizingRectCompute(nearOrigin, 4, hugeMinimum, 0, 0), (SizingRect{INT32_MIN, INT32_MIN, -10, -10}));
}

} // namespace
