#include "toolkit/windows/sizing.h"

#include "toolkit/core/library_state.h"
#include "toolkit/windows/event.h"
#include "toolkit/windows/sizing_rect.h"

SizingState *SizingStateRecord;

namespace {

const WPARAM SIZING_COMMAND_MASK = 0xFFF0;
const WPARAM SIZING_EDGE_MASK = 0xF;
// Keyboard steps move the cursor, and with it the edge, by this much.
const LONG SIZING_KEY_STEP = 10;

HCURSOR SizingCursorLoad(LPCSTR shape) {
  return static_cast<HCURSOR>(LoadImageA(nullptr, shape, IMAGE_CURSOR, 0, 0, LR_SHARED | LR_DEFAULTSIZE));
}

void SizingCursorPlace(LPCSTR shape, LONG x, LONG y) {
  SetCursorPos(x, y);
  SetCursor(SizingCursorLoad(shape));
}

void SizingMoveToRect(HWND window, const RECT *rect) {
  MoveWindow(window, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, TRUE);
}

// Every computed rectangle is announced before the window takes it, and the
// window may still change it in WM_SIZING.
void SizingApplyPoint(HWND window, POINT point) {
  SizingState *state = LibraryStateGet(SizingStateRecord);
  SizingRectFromPoint(point.x, point.y);
  SendMessageA(window, WM_SIZING, static_cast<WPARAM>(state->edge), reinterpret_cast<LPARAM>(&state->rectangle));
  SizingMoveToRect(window, &state->rectangle);
}

void SizingStep(HWND window, POINT point) {
  SetCursorPos(point.x, point.y);
  SizingApplyPoint(window, point);
}

void SizingLimitsFill(HWND window, MINMAXINFO *limits) {
  *limits = MINMAXINFO{};
  limits->ptMaxSize.x = GetSystemMetrics(SM_CXMAXIMIZED);
  limits->ptMaxSize.y = GetSystemMetrics(SM_CYMAXIMIZED);
  if (GetWindowLongPtrA(window, GWL_STYLE) & WS_BORDER) {
    limits->ptMaxPosition.x = GetSystemMetrics(SM_CXBORDER);
    limits->ptMaxPosition.y = GetSystemMetrics(SM_CYBORDER);
  } else if (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_WINDOWEDGE) {
    limits->ptMaxPosition.x = GetSystemMetrics(SM_CXEDGE);
    limits->ptMaxPosition.y = GetSystemMetrics(SM_CYEDGE);
  }
  limits->ptMinTrackSize.x = GetSystemMetrics(SM_CXMINTRACK);
  limits->ptMinTrackSize.y = GetSystemMetrics(SM_CYMINTRACK);
  limits->ptMaxTrackSize.x = GetSystemMetrics(SM_CXMAXTRACK);
  limits->ptMaxTrackSize.y = GetSystemMetrics(SM_CYMAXTRACK);
}

LRESULT SizingStart(HWND window, WPARAM wParam) {
  SizingState *state = LibraryStateGet(SizingStateRecord);
  state->edge = static_cast<int32_t>(wParam & SIZING_EDGE_MASK);
  state->active = 1;
  GetWindowRect(window, &state->rectangle);
  SizingLimitsFill(window, &state->limits);
  SendMessageA(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&state->limits));
  if (GetKeyState(VK_LBUTTON) == 0) {
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  }
  SetCapture(window);
  PostMessageA(window, WM_ENTERSIZEMOVE, 0, 0);
  if (state->edge == SIZING_EDGE_NONE) {
    state->keyboard = 1;
    GetCursorPos(&state->savedCursor);
    SetCursor(SizingCursorLoad(IDC_SIZEALL));
  } else {
    state->keyboard = 0;
  }
  return 0;
}

// Edge chosen by an arrow key (columns Left, Up, Right, Down) for each edge
// before it; 0 means the arrow resizes by one step instead. The first arrow
// of a keyboard sizing chooses a side, a second arrow across it a corner.
const int8_t SIZING_ARROW_TURNS[9][4] = {
    {SIZING_EDGE_LEFT, SIZING_EDGE_TOP, SIZING_EDGE_RIGHT, SIZING_EDGE_BOTTOM},
    {0, SIZING_EDGE_TOP_LEFT, 0, SIZING_EDGE_BOTTOM_LEFT},
    {0, SIZING_EDGE_TOP_RIGHT, 0, SIZING_EDGE_BOTTOM_RIGHT},
    {SIZING_EDGE_TOP_LEFT, 0, SIZING_EDGE_TOP_RIGHT, 0},
    {0, 0, 0, 0},
    {0, 0, 0, 0},
    {SIZING_EDGE_BOTTOM_LEFT, 0, SIZING_EDGE_BOTTOM_RIGHT, 0},
    {0, 0, 0, 0},
    {0, 0, 0, 0},
};

// Puts the cursor where dragging the newly chosen edge starts without moving
// it (see the 2-pixel offsets of SizingRectCompute).
void SizingCursorToEdge(int32_t edge, const RECT &r, POINT p) {
  switch (edge) {
  case SIZING_EDGE_LEFT:
    SizingCursorPlace(IDC_SIZEWE, r.left, p.y);
    break;
  case SIZING_EDGE_RIGHT:
    SizingCursorPlace(IDC_SIZEWE, r.right - 2, p.y);
    break;
  case SIZING_EDGE_TOP:
    SizingCursorPlace(IDC_SIZENS, p.x, r.top);
    break;
  case SIZING_EDGE_BOTTOM:
    SizingCursorPlace(IDC_SIZENS, p.x, r.bottom - 2);
    break;
  case SIZING_EDGE_TOP_LEFT:
    SizingCursorPlace(IDC_SIZENWSE, r.left + 2, r.top + 2);
    break;
  case SIZING_EDGE_TOP_RIGHT:
    SizingCursorPlace(IDC_SIZENESW, r.right - 2, r.top);
    break;
  case SIZING_EDGE_BOTTOM_LEFT:
    SizingCursorPlace(IDC_SIZENESW, r.left, r.bottom - 2);
    break;
  default:
    SizingCursorPlace(IDC_SIZENWSE, r.right - 2, r.bottom - 2);
    break;
  }
}

void SizingArrow(HWND window, WPARAM key) {
  SizingState *state = LibraryStateGet(SizingStateRecord);
  POINT p;
  GetCursorPos(&p);
  // A size command may carry the undefined edge values 9 to 15; they only step.
  int32_t turn = state->edge <= SIZING_EDGE_BOTTOM_RIGHT ? SIZING_ARROW_TURNS[state->edge][key - VK_LEFT] : 0;
  if (turn != 0) {
    state->edge = turn;
    SizingCursorToEdge(turn, state->rectangle, p);
    return;
  }
  if (key == VK_LEFT) {
    p.x -= SIZING_KEY_STEP;
  } else if (key == VK_RIGHT) {
    p.x += SIZING_KEY_STEP;
  } else if (key == VK_UP) {
    p.y -= SIZING_KEY_STEP;
  } else {
    p.y += SIZING_KEY_STEP;
  }
  SizingStep(window, p);
}

LRESULT SizingActiveProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  SizingState *state = LibraryStateGet(SizingStateRecord);
  switch (message) {
  case WM_MOUSEMOVE: {
    state->keyboard = 0;
    POINT point = {static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
    ClientToScreen(window, &point);
    SizingApplyPoint(window, point);
    return 0;
  }
  case WM_KEYDOWN:
    if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
      // Both keep the size reached; the mode ends in WM_CAPTURECHANGED.
      ReleaseCapture();
      return 0;
    }
    if (wParam == VK_LEFT || wParam == VK_UP || wParam == VK_RIGHT || wParam == VK_DOWN) {
      SizingArrow(window, wParam);
    }
    return PROC_DEFAULT;
  case WM_LBUTTONUP:
    ReleaseCapture();
    return 0;
  case WM_CAPTURECHANGED:
    PostMessageA(window, WM_EXITSIZEMOVE, 0, 0);
    state->active = 0;
    if (state->keyboard) {
      SetCursorPos(state->savedCursor.x, state->savedCursor.y);
    }
    return 0;
  default:
    return PROC_DEFAULT;
  }
}

} // namespace

LRESULT WindowSizingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  SizingState *state = LibraryStateGet(SizingStateRecord);
  if (state->active) {
    return SizingActiveProc(window, message, wParam, lParam);
  }
  if (message != WM_SYSCOMMAND || (wParam & SIZING_COMMAND_MASK) != SC_SIZE) {
    return PROC_DEFAULT;
  }
  // Without full-window dragging the platform's own outline sizing runs.
  BOOL fullWindowDrag = FALSE;
  SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &fullWindowDrag, 0);
  if (!fullWindowDrag) {
    return PROC_DEFAULT;
  }
  return SizingStart(window, wParam);
}

void SizingRectFromPoint(int32_t x, int32_t y) {
  SizingState *state = LibraryStateGet(SizingStateRecord);
  SizingRect rect = {state->rectangle.left, state->rectangle.top, state->rectangle.right, state->rectangle.bottom};
  SizingLimits limits = {state->limits.ptMinTrackSize.x, state->limits.ptMinTrackSize.y, state->limits.ptMaxTrackSize.x,
                         state->limits.ptMaxTrackSize.y};
  rect = SizingRectCompute(rect, state->edge, limits, x, y);
  state->rectangle = RECT{rect.left, rect.top, rect.right, rect.bottom};
}
