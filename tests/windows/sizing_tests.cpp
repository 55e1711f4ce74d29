// The sizing mode on a real window: starting it from a border or from the
// keyboard, the order of the notifications, the tracking limits, the arrow
// keys, the ways it ends, and the commands it leaves alone.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/activation_watch.h"
#include "tests/support/message_names.h"
#include "tests/support/message_sequence.h"
#include "tests/windows/window_input_support.h"
#include "toolkit/core/library_state.h"
#include "toolkit/windows/event.h"
#include "toolkit/windows/sizing.h"
#include "toolkit/windows/window.h"

namespace {

const RECT START_RECT = {200, 150, 520, 390};

bool RectEqual(const RECT &a, const RECT &b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string RectText(const RECT &r) {
  return "{" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) + ", " +
         std::to_string(r.bottom) + "}";
}

SizingState *Sizing() {
  return LibraryStateGet(SizingStateRecord);
}

// A size message the window received, with the rectangle that goes with it:
// the announced one for WM_SIZING, the window's own for WM_SIZE.
struct SizingMessage {
  UINT message;
  WPARAM wParam;
  RECT rect;
};

// What the recording subclass saw and what it answers.
struct SizingRecorder {
  std::vector<SizingMessage> sizes;
  int32_t mouseMoves;
  bool overrideLimits;
  POINT minTrack;
  POINT maxTrack;
};
SizingRecorder Recorded;

LRESULT CALLBACK SizingRecordProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC previous = reinterpret_cast<WNDPROC>(GetPropA(window, "SizingRecordPrevious"));
  SizingMessage entry = {message, wParam, {}};
  switch (message) {
  case WM_SIZING:
    entry.rect = *reinterpret_cast<const RECT *>(lParam);
    Recorded.sizes.push_back(entry);
    break;
  case WM_SIZE:
    GetWindowRect(window, &entry.rect);
    Recorded.sizes.push_back(entry);
    break;
  case WM_MOUSEMOVE:
    Recorded.mouseMoves++;
    break;
  default:
    break;
  }
  LRESULT result = CallWindowProcA(previous, window, message, wParam, lParam);
  if (message == WM_GETMINMAXINFO && Recorded.overrideLimits) {
    MINMAXINFO *limits = reinterpret_cast<MINMAXINFO *>(lParam);
    limits->ptMinTrackSize = Recorded.minTrack;
    limits->ptMaxTrackSize = Recorded.maxTrack;
  }
  return result;
}

// The messages of the sizing sequence. Only the limits the sizing mode asks
// for belong to it; the platform asks for its own while the window moves.
bool SizingSequenceMessage(UINT message, WPARAM, LPARAM lParam) {
  switch (message) {
  case WM_GETMINMAXINFO:
    return reinterpret_cast<MINMAXINFO *>(lParam) == &Sizing()->limits;
  case WM_LBUTTONDOWN:
  case WM_ENTERSIZEMOVE:
  case WM_SIZING:
  case WM_SIZE:
  case WM_CAPTURECHANGED:
  case WM_EXITSIZEMOVE:
    return true;
  default:
    return false;
  }
}

// KeyPress(window, VK_RETURN) or KeyPress(window, VK_ESCAPE) in a keyboard
// sizing: the mode lets go of the capture.
const ExpectedMessage SIZING_END[] = {{WM_CAPTURECHANGED, SEQ_SENT}, {WM_EXITSIZEMOVE, SEQ_POSTED}, {0}};
// WindowSizingProc(window, message, ...) for a message it leaves to the
// platform.
const ExpectedMessage NO_MESSAGES[] = {{0}};

// Switches the platform's full-window dragging for one test.
class DragFullWindowsScope {
public:
  explicit DragFullWindowsScope(BOOL on) {
    SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &saved_, 0);
    SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, on, nullptr, 0);
  }
  ~DragFullWindowsScope() { SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, saved_, nullptr, 0); }

private:
  BOOL saved_ = FALSE;
};

BOOL DragFullWindows() {
  BOOL on = FALSE;
  SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &on, 0);
  return on;
}

class SizingWindow {
public:
  explicit SizingWindow(uint32_t flags)
      : window_(WindowOpen(WINDOW_NUMBER, START_RECT.left, START_RECT.top, 300, 200,
                           "Gr\xF6\xDF"
                           "e",
                           WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | flags)),
        recorder_(window_, SizingSequenceMessage), activation_(window_) {
    LONG_PTR previous = SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SizingRecordProc));
    SetPropA(window_, "SizingRecordPrevious", reinterpret_cast<HANDLE>(previous));
  }
  ~SizingWindow() {
    ReleaseCapture();
    EventDrain();
    WindowClose(WINDOW_NUMBER);
    EventDrain();
    Recorded = SizingRecorder{};
  }

  HWND Handle() const { return window_; }

  RECT Rect() const {
    RECT rect;
    GetWindowRect(window_, &rect);
    return rect;
  }

  // Back to the start rectangle, active and focused, with a clean record.
  bool Reset() {
    ReleaseCapture();
    EventDrain();
    MoveWindow(window_, START_RECT.left, START_RECT.top, START_RECT.right - START_RECT.left,
               START_RECT.bottom - START_RECT.top, TRUE);
    TestWindowActivate(window_);
    SetFocus(window_);
    EventDrain();
    recorder_.Flush();
    activation_.Restart();
    Recorded.sizes.clear();
    Recorded.mouseMoves = 0;
    return GetForegroundWindow() == window_ && GetFocus() == window_ && RectEqual(Rect(), START_RECT);
  }

  // True when nothing else took the foreground since the last Reset.
  bool Undisturbed() const { return activation_.Undisturbed(); }

  std::vector<DrainedEvent> Command(WPARAM command) {
    PostMessageA(window_, WM_SYSCOMMAND, command, 0);
    return EventDrain();
  }

  // A mouse move to a screen point, as the window receives it while it has
  // the capture.
  std::vector<DrainedEvent> MouseTo(POINT screen) {
    POINT client = screen;
    ScreenToClient(window_, &client);
    PostMessageA(window_, WM_MOUSEMOVE, MK_LBUTTON,
                 MAKELPARAM(static_cast<WORD>(client.x), static_cast<WORD>(client.y)));
    return EventDrain();
  }

  std::vector<DrainedEvent> ButtonUp() {
    PostMessageA(window_, WM_LBUTTONUP, 0, 0);
    return EventDrain();
  }

  MessageRecorder &Recorder() { return recorder_; }

private:
  static const ObjectId WINDOW_NUMBER = 4;
  HWND window_;
  MessageRecorder recorder_;
  ActivationWatch activation_;
};

// Runs a case again when another program took the foreground in between;
// the case answers false when it saw that happen, before checking anything.
template <typename Case> void RunUndisturbed(SizingWindow &window, Case run) {
  for (int32_t attempt = 0; attempt < 10; attempt++) {
    if (window.Reset() && run()) {
      return;
    }
    Sleep(50);
  }
  ADD_FAILURE() << "the window never kept the foreground for a whole case";
}

// The size messages with their rectangles, for failure messages.
std::string SizesText(const std::vector<SizingMessage> &sizes) {
  std::string text;
  for (const SizingMessage &m : sizes) {
    text += MessageName(m.message) + "/" + std::to_string(m.wParam) + RectText(m.rect) + " ";
  }
  return text;
}

// The rectangles of the size messages, in order.
std::vector<std::string> SizeRects() {
  std::vector<std::string> rects;
  for (const SizingMessage &m : Recorded.sizes) {
    rects.push_back(RectText(m.rect));
  }
  return rects;
}

struct BorderDragCase {
  int32_t edge;
  POINT out; // 30 pixels outward from the edge
  RECT outRect;
  POINT in; // 20 pixels inward
  RECT inRect;
};

const BorderDragCase BORDER_DRAG_CASES[] = {
    {WMSZ_LEFT, {170, 300}, {170, 150, 520, 390}, {220, 300}, {220, 150, 520, 390}},
    {WMSZ_RIGHT, {548, 300}, {200, 150, 550, 390}, {498, 300}, {200, 150, 500, 390}},
    {WMSZ_TOP, {300, 120}, {200, 120, 520, 390}, {300, 170}, {200, 170, 520, 390}},
    {WMSZ_TOPLEFT, {172, 122}, {170, 120, 520, 390}, {222, 172}, {220, 170, 520, 390}},
    {WMSZ_TOPRIGHT, {548, 120}, {200, 120, 550, 390}, {498, 170}, {200, 170, 500, 390}},
    {WMSZ_BOTTOM, {300, 418}, {200, 150, 520, 420}, {300, 368}, {200, 150, 520, 370}},
    {WMSZ_BOTTOMLEFT, {170, 418}, {170, 150, 520, 420}, {220, 368}, {220, 150, 520, 370}},
    {WMSZ_BOTTOMRIGHT, {548, 418}, {200, 150, 550, 420}, {498, 368}, {200, 150, 500, 370}},
};

TEST(SizingTest, BorderDragAnnouncesEveryRectangleBeforeTheMove) {
  DragFullWindowsScope drag(TRUE);
  ASSERT_TRUE(DragFullWindows()) << "full-window dragging cannot be switched on";
  SizingWindow window(0);
  for (const BorderDragCase &c : BORDER_DRAG_CASES) {
    SCOPED_TRACE("edge " + std::to_string(c.edge));
    RunUndisturbed(window, [&] {
      window.Command(SC_SIZE | c.edge);
      bool started = Sizing()->active == 1 && Sizing()->edge == c.edge && Sizing()->keyboard == 0 &&
                     GetCapture() == window.Handle();
      std::vector<DrainedEvent> outEvents = window.MouseTo(c.out);
      RECT outRect = window.Rect();
      std::vector<DrainedEvent> inEvents = window.MouseTo(c.in);
      RECT inRect = window.Rect();
      window.ButtonUp();
      bool ended = Sizing()->active == 0 && GetCapture() == nullptr;
      // Command(SC_SIZE | edge), MouseTo(out), MouseTo(in), ButtonUp(). The
      // button is up when the command arrives, so the mode presses it.
      const WPARAM edge = static_cast<WPARAM>(c.edge);
      const ExpectedMessage expected[] = {
          {WM_GETMINMAXINFO, SEQ_SENT},
          {WM_LBUTTONDOWN, SEQ_SENT | SEQ_WPARAM, MK_LBUTTON},
          {WM_ENTERSIZEMOVE, SEQ_POSTED},
          {WM_SIZING, SEQ_SENT | SEQ_WPARAM, edge},
          {WM_SIZE, SEQ_SENT | SEQ_WPARAM, SIZE_RESTORED},
          {WM_SIZING, SEQ_SENT | SEQ_WPARAM, edge},
          {WM_SIZE, SEQ_SENT | SEQ_WPARAM, SIZE_RESTORED},
          {WM_CAPTURECHANGED, SEQ_SENT},
          {WM_EXITSIZEMOVE, SEQ_POSTED},
          {0},
      };
      if (!window.Undisturbed()) {
        return false;
      }
      EXPECT_TRUE(started);
      EXPECT_TRUE(ended);
      EXPECT_EQ(RectText(outRect), RectText(c.outRect));
      EXPECT_EQ(RectText(inRect), RectText(c.inRect));
      EXPECT_EQ(RectText(window.Rect()), RectText(c.inRect));
      EXPECT_TRUE(window.Recorder().Check(expected));
      EXPECT_EQ(SizeRects(), (std::vector<std::string>{RectText(c.outRect), RectText(c.outRect), RectText(c.inRect),
                                                       RectText(c.inRect)}));
      // Each move reaches the application as a size event.
      EXPECT_FALSE(EventsOnly(outEvents, {EVENT_SIZE_WINDOW}).empty());
      EXPECT_FALSE(EventsOnly(inEvents, {EVENT_SIZE_WINDOW}).empty());
      return true;
    });
  }
}

struct LimitCase {
  const char *name;
  int32_t edge;
  POINT point;
  RECT expected;
};

// Minimum 150 x 120 and maximum 400 x 300 outer size, from a 320 x 240 start.
const LimitCase LIMIT_CASES[] = {
    {"left past right", WMSZ_LEFT, {600, 300}, {370, 150, 520, 390}},
    {"left far out", WMSZ_LEFT, {0, 300}, {120, 150, 520, 390}},
    {"right past left", WMSZ_RIGHT, {100, 300}, {200, 150, 350, 390}},
    {"right far out", WMSZ_RIGHT, {900, 300}, {200, 150, 600, 390}},
    {"top past bottom", WMSZ_TOP, {300, 500}, {200, 270, 520, 390}},
    {"top far out", WMSZ_TOP, {300, 0}, {200, 90, 520, 390}},
    {"bottom past top", WMSZ_BOTTOM, {300, 100}, {200, 150, 520, 270}},
    {"bottom far out", WMSZ_BOTTOM, {300, 760}, {200, 150, 520, 450}},
    {"top-left in", WMSZ_TOPLEFT, {600, 500}, {370, 270, 520, 390}},
    {"top-left out", WMSZ_TOPLEFT, {0, 0}, {120, 90, 520, 390}},
    {"top-right in", WMSZ_TOPRIGHT, {100, 500}, {200, 270, 350, 390}},
    {"top-right out", WMSZ_TOPRIGHT, {900, 0}, {200, 90, 600, 390}},
    {"bottom-left in", WMSZ_BOTTOMLEFT, {600, 100}, {370, 150, 520, 270}},
    {"bottom-left out", WMSZ_BOTTOMLEFT, {0, 760}, {120, 150, 520, 450}},
    {"bottom-right in", WMSZ_BOTTOMRIGHT, {100, 100}, {200, 150, 350, 270}},
    {"bottom-right out", WMSZ_BOTTOMRIGHT, {900, 760}, {200, 150, 600, 450}},
};

TEST(SizingTest, TrackingLimitsHoldOnEveryEdge) {
  DragFullWindowsScope drag(TRUE);
  SizingWindow window(0);
  Recorded.overrideLimits = true;
  Recorded.minTrack = {150, 120};
  Recorded.maxTrack = {400, 300};
  for (const LimitCase &c : LIMIT_CASES) {
    SCOPED_TRACE(c.name);
    RunUndisturbed(window, [&] {
      window.Command(SC_SIZE | c.edge);
      // The window's answer, on top of the platform's values (its caption
      // brings WS_BORDER, so the maximised position is the border size).
      const MINMAXINFO &limits = Sizing()->limits;
      bool limitsTaken = limits.ptMinTrackSize.x == 150 && limits.ptMinTrackSize.y == 120 &&
                         limits.ptMaxTrackSize.x == 400 && limits.ptMaxTrackSize.y == 300 &&
                         limits.ptMaxSize.x == GetSystemMetrics(SM_CXMAXIMIZED) &&
                         limits.ptMaxPosition.x == GetSystemMetrics(SM_CXBORDER) &&
                         limits.ptMaxPosition.y == GetSystemMetrics(SM_CYBORDER);
      window.MouseTo(c.point);
      window.ButtonUp();
      if (!window.Undisturbed()) {
        return false;
      }
      EXPECT_TRUE(limitsTaken);
      EXPECT_EQ(RectText(window.Rect()), RectText(c.expected));
      return true;
    });
  }
}

TEST(SizingTest, ToolWindowNarrowsToOnePixel) {
  DragFullWindowsScope drag(TRUE);
  struct WidthCase {
    const char *name;
    uint32_t flags;
    int32_t edge;
    POINT point;
  };
  const WidthCase cases[] = {
      {"tool, right edge", WINDOW_FLAG_TOOL, WMSZ_RIGHT, {0, 300}},
      {"tool, left edge", WINDOW_FLAG_TOOL, WMSZ_LEFT, {1000, 300}},
      {"plain, right edge", 0, WMSZ_RIGHT, {0, 300}},
  };
  for (const WidthCase &c : cases) {
    SCOPED_TRACE(c.name);
    SizingWindow window(c.flags);
    RunUndisturbed(window, [&] {
      window.Command(SC_SIZE | c.edge);
      window.MouseTo(c.point);
      window.ButtonUp();
      if (!window.Undisturbed()) {
        return false;
      }
      RECT rect = window.Rect();
      int32_t minimum = c.flags & WINDOW_FLAG_TOOL ? 1 : GetSystemMetrics(SM_CXMINTRACK);
      EXPECT_EQ(rect.right - rect.left, minimum);
      // The edge opposite the dragged one stays.
      EXPECT_EQ(c.edge == WMSZ_RIGHT ? rect.left : rect.right,
                c.edge == WMSZ_RIGHT ? START_RECT.left : START_RECT.right);
      return true;
    });
  }
}

struct ArrowCase {
  const char *keys; // L, U, R, D
  int32_t edge;
  LPCSTR shape; // after the last key; null when the key only stepped
  POINT cursor;
  RECT rect;
};

// The keyboard sizing starts with the cursor at 350, 250 inside the window
// 200, 150, 520, 390.
const ArrowCase ARROW_CASES[] = {
    {"L", WMSZ_LEFT, IDC_SIZEWE, {200, 250}, {200, 150, 520, 390}},
    {"U", WMSZ_TOP, IDC_SIZENS, {350, 150}, {200, 150, 520, 390}},
    {"R", WMSZ_RIGHT, IDC_SIZEWE, {518, 250}, {200, 150, 520, 390}},
    {"D", WMSZ_BOTTOM, IDC_SIZENS, {350, 388}, {200, 150, 520, 390}},
    {"LU", WMSZ_TOPLEFT, IDC_SIZENWSE, {202, 152}, {200, 150, 520, 390}},
    {"LD", WMSZ_BOTTOMLEFT, IDC_SIZENESW, {200, 388}, {200, 150, 520, 390}},
    {"RU", WMSZ_TOPRIGHT, IDC_SIZENESW, {518, 150}, {200, 150, 520, 390}},
    {"RD", WMSZ_BOTTOMRIGHT, IDC_SIZENWSE, {518, 388}, {200, 150, 520, 390}},
    {"UL", WMSZ_TOPLEFT, IDC_SIZENWSE, {202, 152}, {200, 150, 520, 390}},
    {"UR", WMSZ_TOPRIGHT, IDC_SIZENESW, {518, 150}, {200, 150, 520, 390}},
    {"DL", WMSZ_BOTTOMLEFT, IDC_SIZENESW, {200, 388}, {200, 150, 520, 390}},
    {"DR", WMSZ_BOTTOMRIGHT, IDC_SIZENWSE, {518, 388}, {200, 150, 520, 390}},
    {"LL", WMSZ_LEFT, nullptr, {190, 250}, {190, 150, 520, 390}},
    {"LR", WMSZ_LEFT, nullptr, {210, 250}, {210, 150, 520, 390}},
    {"RR", WMSZ_RIGHT, nullptr, {528, 250}, {200, 150, 530, 390}},
    {"RL", WMSZ_RIGHT, nullptr, {508, 250}, {200, 150, 510, 390}},
    {"UU", WMSZ_TOP, nullptr, {350, 140}, {200, 140, 520, 390}},
    {"UD", WMSZ_TOP, nullptr, {350, 160}, {200, 160, 520, 390}},
    {"DD", WMSZ_BOTTOM, nullptr, {350, 398}, {200, 150, 520, 400}},
    {"DU", WMSZ_BOTTOM, nullptr, {350, 378}, {200, 150, 520, 380}},
    {"LUL", WMSZ_TOPLEFT, nullptr, {192, 152}, {190, 150, 520, 390}},
    {"LUU", WMSZ_TOPLEFT, nullptr, {202, 142}, {200, 140, 520, 390}},
    {"LURD", WMSZ_TOPLEFT, nullptr, {212, 162}, {210, 160, 520, 390}},
    {"RURU", WMSZ_TOPRIGHT, nullptr, {528, 140}, {200, 140, 530, 390}},
    {"LDLD", WMSZ_BOTTOMLEFT, nullptr, {190, 398}, {190, 150, 520, 400}},
    {"RDRD", WMSZ_BOTTOMRIGHT, nullptr, {528, 398}, {200, 150, 530, 400}},
};

WORD ArrowKey(char key) {
  switch (key) {
  case 'L':
    return VK_LEFT;
  case 'U':
    return VK_UP;
  case 'R':
    return VK_RIGHT;
  default:
    return VK_DOWN;
  }
}

HCURSOR SizingCursor(LPCSTR shape) {
  return static_cast<HCURSOR>(LoadImageA(nullptr, shape, IMAGE_CURSOR, 0, 0, LR_SHARED | LR_DEFAULTSIZE));
}

bool PointEqual(POINT a, POINT b) {
  return a.x == b.x && a.y == b.y;
}

// Starts a keyboard sizing the way the system menu's Size command does.
bool KeyboardStart(SizingWindow &window) {
  SetCursorPos(350, 250);
  // The platform reports the cursor's move as a mouse move; let it pass first.
  EventDrain();
  Recorded.mouseMoves = 0;
  SendMessageA(window.Handle(), WM_SYSCOMMAND, SC_SIZE, 0);
  POINT saved = Sizing()->savedCursor;
  bool started = Sizing()->active == 1 && Sizing()->edge == 0 && Sizing()->keyboard == 1 &&
                 GetCapture() == window.Handle() && saved.x == 350 && saved.y == 250 &&
                 GetCursor() == SizingCursor(IDC_SIZEALL);
  EventDrain();
  return started;
}

TEST(SizingTest, ArrowKeysChooseEdgesAndResizeInSteps) {
  DragFullWindowsScope drag(TRUE);
  SizingWindow window(0);
  for (const ArrowCase &c : ARROW_CASES) {
    SCOPED_TRACE(c.keys);
    RunUndisturbed(window, [&] {
      bool started = KeyboardStart(window);
      HCURSOR shape = nullptr;
      for (const char *key = c.keys; *key != 0; key++) {
        KeyPress(window.Handle(), ArrowKey(*key));
        shape = GetCursor();
      }
      POINT cursor;
      GetCursorPos(&cursor);
      int32_t edge = Sizing()->edge;
      RECT rect = window.Rect();
      std::vector<SizingMessage> sizings = Recorded.sizes;
      KeyPress(window.Handle(), VK_ESCAPE);
      if (!window.Undisturbed()) {
        return false;
      }
      EXPECT_TRUE(started);
      EXPECT_EQ(edge, c.edge);
      EXPECT_TRUE(PointEqual(cursor, c.cursor)) << cursor.x << ", " << cursor.y;
      if (c.shape != nullptr) {
        EXPECT_EQ(shape, SizingCursor(c.shape));
      }
      EXPECT_EQ(RectText(rect), RectText(c.rect));
      // Every size change was announced with the rectangle the window took.
      EXPECT_TRUE(sizings.empty() || sizings[0].message == WM_SIZING);
      for (size_t i = 0; i < sizings.size(); i++) {
        if (sizings[i].message == WM_SIZE && i > 0) {
          EXPECT_EQ(sizings[i - 1].message, static_cast<UINT>(WM_SIZING));
          EXPECT_EQ(sizings[i - 1].wParam, static_cast<WPARAM>(c.edge));
          EXPECT_EQ(RectText(sizings[i - 1].rect), RectText(sizings[i].rect));
        }
      }
      // Placing the cursor is reported back as a mouse move, which announces
      // the unchanged rectangle once more; only real changes bring WM_SIZE.
      bool resized = false;
      for (const SizingMessage &m : sizings) {
        resized = resized || m.message == WM_SIZE;
      }
      EXPECT_EQ(resized, !RectEqual(c.rect, START_RECT)) << SizesText(sizings);
      // Escape ends the mode and keeps the size reached.
      EXPECT_EQ(Sizing()->active, 0);
      EXPECT_EQ(GetCapture(), nullptr);
      EXPECT_EQ(RectText(window.Rect()), RectText(c.rect));
      return true;
    });
  }
  std::printf("key presses: %d real, %d posted\n", KeyInputCounts.real, KeyInputCounts.posted);
}

TEST(SizingTest, EnterAndEscapeBothKeepTheSizeReached) {
  DragFullWindowsScope drag(TRUE);
  SizingWindow window(0);
  const RECT grown = {200, 150, 540, 390};
  for (WORD key : {VK_RETURN, VK_ESCAPE}) {
    SCOPED_TRACE(key == VK_RETURN ? "enter" : "escape");
    RunUndisturbed(window, [&] {
      bool started = KeyboardStart(window);
      KeyPress(window.Handle(), VK_RIGHT);
      KeyPress(window.Handle(), VK_RIGHT);
      KeyPress(window.Handle(), VK_RIGHT);
      bool keyboard = Sizing()->keyboard == 1;
      window.Recorder().Flush();
      KeyPress(window.Handle(), key);
      POINT cursor;
      GetCursorPos(&cursor);
      if (!window.Undisturbed()) {
        return false;
      }
      EXPECT_TRUE(started);
      EXPECT_EQ(RectText(window.Rect()), RectText(grown));
      EXPECT_EQ(Sizing()->active, 0);
      EXPECT_EQ(GetCapture(), nullptr);
      EXPECT_TRUE(window.Recorder().Check(SIZING_END));
      // The cursor goes back to where the keyboard sizing began only if the
      // mouse has not moved since.
      EXPECT_EQ(keyboard, Recorded.mouseMoves == 0);
      if (keyboard) {
        EXPECT_TRUE(PointEqual(cursor, POINT{350, 250})) << cursor.x << ", " << cursor.y;
      }
      return true;
    });
  }
}

TEST(SizingTest, KeyboardSizingPutsTheCursorBackWhenTheMouseStayed) {
  DragFullWindowsScope drag(TRUE);
  SizingWindow window(0);
  for (WORD key : {VK_RETURN, VK_ESCAPE}) {
    SCOPED_TRACE(key == VK_RETURN ? "enter" : "escape");
    RunUndisturbed(window, [&] {
      bool started = KeyboardStart(window);
      // The platform reports every placing of the cursor as a mouse move, so
      // a cursor that moved without one is staged by moving the saved place.
      Sizing()->savedCursor = POINT{300, 200};
      bool keyboard = Sizing()->keyboard == 1;
      KeyPress(window.Handle(), key);
      POINT cursor;
      GetCursorPos(&cursor);
      if (!window.Undisturbed()) {
        return false;
      }
      EXPECT_TRUE(started);
      EXPECT_TRUE(keyboard);
      EXPECT_TRUE(PointEqual(cursor, POINT{300, 200})) << cursor.x << ", " << cursor.y;
      EXPECT_EQ(RectText(window.Rect()), RectText(START_RECT));
      return true;
    });
  }
}

TEST(SizingTest, OtherCommandsAndMessagesPassThrough) {
  DragFullWindowsScope drag(TRUE);
  SizingWindow window(0);
  ASSERT_TRUE(window.Reset());
  struct PassCase {
    const char *name;
    UINT message;
    WPARAM wParam;
  };
  const PassCase cases[] = {
      {"move", WM_SYSCOMMAND, SC_MOVE},         {"move by mouse", WM_SYSCOMMAND, SC_MOVE | 2},
      {"close", WM_SYSCOMMAND, SC_CLOSE},       {"minimise", WM_SYSCOMMAND, SC_MINIMIZE},
      {"maximise", WM_SYSCOMMAND, SC_MAXIMIZE}, {"key menu", WM_SYSCOMMAND, SC_KEYMENU},
      {"mouse move", WM_MOUSEMOVE, 0},          {"key", WM_KEYDOWN, VK_ESCAPE},
      {"button up", WM_LBUTTONUP, 0},           {"capture lost", WM_CAPTURECHANGED, 0},
  };
  for (const PassCase &c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(WindowSizingProc(window.Handle(), c.message, c.wParam, 0), PROC_DEFAULT);
    EXPECT_EQ(Sizing()->active, 0);
    EXPECT_EQ(GetCapture(), nullptr);
  }
  EXPECT_TRUE(window.Recorder().Check(NO_MESSAGES));
}

TEST(SizingTest, WithoutFullWindowDraggingThePlatformSizes) {
  DragFullWindowsScope drag(FALSE);
  ASSERT_FALSE(DragFullWindows()) << "full-window dragging cannot be switched off";
  SizingWindow window(0);
  ASSERT_TRUE(window.Reset());
  for (WPARAM command : {static_cast<WPARAM>(SC_SIZE), static_cast<WPARAM>(SC_SIZE | WMSZ_RIGHT)}) {
    EXPECT_EQ(WindowSizingProc(window.Handle(), WM_SYSCOMMAND, command, 0), PROC_DEFAULT);
    EXPECT_EQ(Sizing()->active, 0);
    EXPECT_EQ(GetCapture(), nullptr);
  }
  EXPECT_TRUE(window.Recorder().Check(NO_MESSAGES));
}

} // namespace
