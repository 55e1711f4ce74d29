// How a WindowOpen flags word becomes a platform style and an outer rectangle.
#include "toolkit/windows/window_style.h"

#include "toolkit/windows/window.h"

namespace {
// The toolkit's own bits that do not count as a style asked for.
const uint32_t FLAGS_WITHOUT_STYLE = WINDOW_FLAG_SCREEN_CENTERED | WINDOW_FLAG_WINDOW_CENTERED | WINDOW_FLAG_INVISIBLE;
const uint32_t TOOL_WINDOW_REMOVED = WS_MINIMIZE | WS_MAXIMIZE | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
const uint32_t TOOLKIT_LOW_FLAGS = WINDOW_FLAG_SCREEN_CENTERED | WINDOW_FLAG_WINDOW_CENTERED | WINDOW_FLAG_TOOL;

void CentreOnScreen(WindowPlacement &placement) {
  int32_t screenWidth = GetSystemMetrics(SM_CXSCREEN);
  int32_t screenHeight = GetSystemMetrics(SM_CYSCREEN);
  if (placement.width > screenWidth) {
    placement.width = screenWidth;
  }
  if (placement.height > screenHeight) {
    placement.height = screenHeight;
  }
  placement.x = (screenWidth - placement.width) / 2;
  placement.y = (screenHeight - placement.height) / 2;
}

void CentreOnActiveWindow(WindowPlacement &placement) {
  HWND active = GetActiveWindow();
  if (active == nullptr) {
    return;
  }
  RECT outer;
  GetWindowRect(active, &outer);
  placement.x = outer.left + (outer.right - outer.left - placement.width) / 2;
  placement.y = outer.top + (outer.bottom - outer.top - placement.height) / 2;
  if (placement.x < 0) {
    placement.x = 0;
  }
  if (placement.y < 0) {
    placement.y = 0;
  }
}
} // namespace

WindowStyle WindowStyleFromFlags(uint32_t flags) {
  WindowStyle result = {};
  result.keepGadgetList = (flags & WINDOW_FLAG_NO_GADGET_LIST) != 0;
  flags &= ~static_cast<uint32_t>(WINDOW_FLAG_NO_GADGET_LIST);
  // A window asked for without any style still gets a title bar.
  if ((flags & ~FLAGS_WITHOUT_STYLE) == 0) {
    flags |= WS_CAPTION;
  }
  result.visible = (flags & WINDOW_FLAG_INVISIBLE) == 0;
  flags &= ~static_cast<uint32_t>(WINDOW_FLAG_INVISIBLE);
  if (flags & WINDOW_FLAG_TOOL) {
    flags = (flags & ~TOOL_WINDOW_REMOVED) | WS_CAPTION;
    result.extendedStyle = WS_EX_TOOLWINDOW;
  }
  result.style = flags & ~TOOLKIT_LOW_FLAGS;
  return result;
}

WindowPlacement WindowPlacementCompute(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t flags,
                                       const WindowStyle &style) {
  RECT outer = {0, 0, width, height};
  AdjustWindowRectEx(&outer, style.style, FALSE, style.extendedStyle);
  WindowPlacement placement = {x, y, outer.right - outer.left, outer.bottom - outer.top};
  bool centred = (flags & (WINDOW_FLAG_SCREEN_CENTERED | WINDOW_FLAG_WINDOW_CENTERED)) != 0;
  if ((x == WINDOW_POS_DEFAULT || y == WINDOW_POS_DEFAULT) && !centred) {
    placement.x = CW_USEDEFAULT;
    placement.y = CW_USEDEFAULT;
  }
  if (flags & WINDOW_FLAG_SCREEN_CENTERED) {
    CentreOnScreen(placement);
  } else if (flags & WINDOW_FLAG_WINDOW_CENTERED) {
    CentreOnActiveWindow(placement);
  }
  return placement;
}
