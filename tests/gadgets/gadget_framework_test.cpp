// The gadget framework: numbering, reuse of numbers, failed creation, clean-up
// with the window, the generic item operations and event posting.
#include <cstring>

#include "tests/gadgets/gadget_test_support.h"
#include "toolkit/core/library_state.h"
#include "toolkit/gadgets/brush_cache.h"
#include "toolkit/gadgets/gadget_create.h"
#include "toolkit/gadgets/gadget_items.h"
#include "toolkit/windows/gadget_list.h"

namespace {

typedef HWND (*GadgetCreateFunction)(ObjectId, int32_t, int32_t, int32_t, int32_t, const char *);

struct CreateCase {
  const char *name;
  GadgetCreateFunction create;
  ObjectId number;
};

const CreateCase CREATE_CASES[] = {
    {"button", ButtonCreate, 1},
    {"label", LabelCreate, 4},
    {"text field", TextFieldCreate, 5},
    {"button beyond the first slots", ButtonCreate, 60},
};

BOOL CALLBACK CountChild(HWND, LPARAM counter) {
  ++*reinterpret_cast<int *>(counter);
  return TRUE;
}

int CountChildren(HWND parent) {
  int count = 0;
  EnumChildWindows(parent, CountChild, reinterpret_cast<LPARAM>(&count));
  return count;
}

GadgetListState *GadgetState() {
  return LibraryStateGet(GadgetListStateRecord);
}

TEST_F(GadgetWindowTest, EveryControlCarriesItsNumberAndTheLibraryFont) {
  for (const CreateCase &c : CREATE_CASES) {
    SCOPED_TRACE(c.name);
    HWND control = c.create(c.number, 10, 10, 100, 24, c.name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(GetParent(control), window);
    EXPECT_EQ(GetWindowLongPtrA(control, GWLP_ID), c.number);
    EXPECT_EQ(reinterpret_cast<INT_PTR>(GetPropA(control, GADGET_ID_PROPERTY)), c.number);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_EQ(GetWindowLongPtrA(control, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(GadgetWindowProc));
    GadgetRecord *gadget = GadgetRecordOf(c.number);
    ASSERT_NE(gadget, nullptr);
    EXPECT_EQ(gadget->window, control);
    EXPECT_EQ(GadgetText(c.number), c.name);
  }
  EXPECT_GE(GadgetRegistry->capacity, 110);
}

// The old control of a reused number notes whether its successor existed
// when it went.
WNDPROC OldControlProcedure;
bool SuccessorExistedAtDestroy;
HWND SuccessorParent;

LRESULT CALLBACK OldControlWatch(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCDESTROY) {
    SuccessorExistedAtDestroy = FindWindowExA(SuccessorParent, nullptr, "Button", "new") != nullptr;
  }
  return CallWindowProcA(OldControlProcedure, control, message, wParam, lParam);
}

TEST_F(GadgetWindowTest, ReusingANumberDestroysTheOldControlAfterTheNewOneExists) {
  HWND old = LabelCreate(3, 10, 10, 100, 20, "old");
  ASSERT_NE(old, nullptr);
  ASSERT_TRUE(GadgetRecordOf(3)->operations->SetColor(GadgetRecordOf(3), COLOR_KIND_BACK, 0x336699));
  OldControlProcedure =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrA(old, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OldControlWatch)));
  SuccessorParent = window;
  SuccessorExistedAtDestroy = false;

  HWND replacement = ButtonCreate(3, 10, 40, 100, 24, "new");
  ASSERT_NE(replacement, nullptr);
  EXPECT_TRUE(SuccessorExistedAtDestroy);
  EXPECT_FALSE(IsWindow(old));
  // The old control's clean-up left the new gadget's slot alone.
  GadgetRecord *gadget = GadgetRecordOf(3);
  ASSERT_NE(gadget, nullptr);
  EXPECT_EQ(gadget->window, replacement);
  EXPECT_EQ(gadget->typeData[COLORED_BACK_BRUSH], 0);
  EXPECT_EQ(GetWindowLongPtrA(replacement, GWLP_ID), 3);
  EXPECT_EQ(GadgetText(3), "new");
  EXPECT_EQ(BrushCache.head, nullptr);
}

TEST_F(GadgetWindowTest, FailedCreationLeavesTheNumberAsItWas) {
  HWND kept = LabelCreate(2, 10, 10, 100, 20, "keep");
  ASSERT_NE(kept, nullptr);
  HWND destroyedParent = CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 10, 10, window, nullptr, nullptr, nullptr);
  DestroyWindow(destroyedParent);
  const struct {
    const char *name;
    HWND parent;
  } badParents[] = {
      {"parent that never was a window", reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7FF0))},
      {"destroyed parent", destroyedParent},
  };
  for (const auto &c : badParents) {
    SCOPED_TRACE(c.name);
    HWND previous = GadgetState()->currentGadgetList;
    GadgetState()->currentGadgetList = c.parent;
    EXPECT_EQ(ButtonCreate(2, 0, 0, 50, 20, "x"), nullptr);
    EXPECT_EQ(TextFieldCreate(2, 0, 0, 50, 20, "x"), nullptr);
    GadgetState()->currentGadgetList = previous;
    EXPECT_TRUE(IsWindow(kept));
    EXPECT_EQ(GadgetText(2), "keep");
  }
  // An unknown class is refused by the platform the same way.
  GadgetControlShape shape = {0, "QX_NoSuchClass", 0, "", -1};
  EXPECT_EQ(GadgetControlCreate(&shape, 0, 0, 10, 10), nullptr);

  // A negative number is refused without leaving a stray control behind.
  int children = CountChildren(window);
  EXPECT_EQ(ButtonCreate(-1, 0, 0, 50, 20, "negative"), nullptr);
  EXPECT_EQ(LabelCreate(-7, 0, 0, 50, 20, "negative"), nullptr);
  EXPECT_EQ(TextFieldCreate(-2, 0, 0, 50, 20, "negative"), nullptr);
  EXPECT_EQ(CountChildren(window), children);
  EXPECT_EQ(GadgetText(2), "keep");
}

TEST_F(GadgetWindowTest, GadgetsGoWithTheirWindowOrWhenFreed) {
  HWND second = WindowOpen(1, 40, 40, 300, 200, "Second", 0);
  ASSERT_NE(second, nullptr);
  ASSERT_NE(ButtonCreate(10, 0, 0, 50, 20, "a"), nullptr);
  ASSERT_NE(TextFieldCreate(11, 0, 30, 50, 20, "b"), nullptr);
  ASSERT_NE(LabelCreate(12, 0, 60, 50, 20, "c"), nullptr);
  WindowClose(1);
  for (ObjectId number : {10, 11, 12}) {
    SCOPED_TRACE(number);
    EXPECT_EQ(GadgetRecordOf(number), nullptr);
    EXPECT_EQ(GadgetItemsCount(number), 0);
    EXPECT_EQ(GadgetText(number), "");
  }

  GadgetListSet(window);
  HWND freed = ButtonCreate(13, 0, 0, 50, 20, "free me");
  ASSERT_NE(freed, nullptr);
  GadgetFree(13);
  EXPECT_FALSE(IsWindow(freed));
  EXPECT_EQ(GadgetRecordOf(13), nullptr);
  GadgetFree(13);
  GadgetFree(-3);
  GadgetFree(100000);
}

// A type of the tests' own that notes which of its slots were called.
struct ProbeCall {
  int32_t slot;
  int32_t position;
  std::string text;
};
std::vector<ProbeCall> ProbeCalls;
enum { PROBE_ADD_ITEM = 1, PROBE_ADD_ITEM_EXTENDED, PROBE_CLEAR, PROBE_COUNT, PROBE_COLUMN, PROBE_DESTROY };

int32_t ProbeAddItem(GadgetRecord *, int32_t position, const char *text, int32_t) {
  ProbeCalls.push_back({PROBE_ADD_ITEM, position, text});
  return 21;
}
int32_t ProbeAddItemExtended(GadgetRecord *, int32_t position, const char *text, int32_t, int32_t) {
  ProbeCalls.push_back({PROBE_ADD_ITEM_EXTENDED, position, text});
  return 22;
}
void ProbeClear(GadgetRecord *) {
  ProbeCalls.push_back({PROBE_CLEAR, 0, ""});
}
int32_t ProbeCount(GadgetRecord *) {
  return 7;
}
int32_t ProbeColumn(GadgetRecord *, int32_t position, const char *title, int32_t) {
  ProbeCalls.push_back({PROBE_COLUMN, position, title});
  return 23;
}
void ProbeDestroy(GadgetRecord *gadget) {
  // The record is still in place while the type cleans up.
  ProbeCalls.push_back({PROBE_DESTROY, static_cast<int32_t>(gadget->typeData[0]), ""});
}

HWND ProbeCreate(ObjectId number, const GadgetOps *operations) {
  GadgetControlShape shape = {0, "Static", 0, "probe", -1};
  HWND control = GadgetControlCreate(&shape, 0, 0, 40, 20);
  GadgetRecord *gadget = GadgetSlotTake(number, control);
  if (!gadget) {
    return nullptr;
  }
  gadget->typeData[0] = 99;
  return GadgetRegister(number, gadget, control, operations);
}

TEST_F(GadgetWindowTest, ItemOperationsReachTheTypesSlots) {
  // Static: gadget 21 outlives the test body until the window closes.
  static GadgetOps full = {};
  full.type = 50;
  full.AddItem = ProbeAddItem;
  full.AddItemExtended = ProbeAddItemExtended;
  full.ClearItems = ProbeClear;
  full.CountItems = ProbeCount;
  full.AddColumn = ProbeColumn;
  full.OnDestroy = ProbeDestroy;
  static GadgetOps addOnly = {};
  addOnly.type = 51;
  addOnly.AddItem = ProbeAddItem;
  ProbeCalls.clear();
  ASSERT_NE(ProbeCreate(20, &full), nullptr);
  ASSERT_NE(ProbeCreate(21, &addOnly), nullptr);
  ASSERT_NE(ButtonCreate(22, 0, 0, 40, 20, "plain"), nullptr);

  const struct {
    ObjectId number;
    const char *text;
    int32_t result;
    int32_t slot; // 0: no slot called
    const char *seen;
  } addCases[] = {
      {20, "row", 22, PROBE_ADD_ITEM_EXTENDED, "row"},
      {20, nullptr, 22, PROBE_ADD_ITEM_EXTENDED, ""},
      {21, "row", 21, PROBE_ADD_ITEM, "row"},
      {21, nullptr, 21, PROBE_ADD_ITEM, ""},
      {22, "row", 0, 0, nullptr},
      {23, "row", 0, 0, nullptr},
      {-1, "row", 0, 0, nullptr},
  };
  for (const auto &c : addCases) {
    SCOPED_TRACE(c.number);
    ProbeCalls.clear();
    EXPECT_EQ(GadgetItemAdd(c.number, -1, c.text), c.result);
    if (c.slot) {
      ASSERT_EQ(ProbeCalls.size(), 1u);
      EXPECT_EQ(ProbeCalls[0].slot, c.slot);
      EXPECT_EQ(ProbeCalls[0].position, -1);
      EXPECT_EQ(ProbeCalls[0].text, c.seen);
    } else {
      EXPECT_TRUE(ProbeCalls.empty());
    }
  }

  EXPECT_EQ(GadgetItemsCount(20), 7);
  EXPECT_EQ(GadgetItemsCount(21), 0);
  EXPECT_EQ(GadgetItemsCount(22), 0);
  ProbeCalls.clear();
  EXPECT_EQ(ListViewAddColumn(20, 2, nullptr, 80), 23);
  EXPECT_EQ(ListViewAddColumn(21, 2, "t", 80), 0);
  EXPECT_EQ(ListViewAddColumn(22, 2, "t", 80), 0);
  GadgetItemsClear(20);
  GadgetItemsClear(21);
  GadgetItemsClear(22);
  GadgetItemsClear(23);
  ASSERT_EQ(ProbeCalls.size(), 2u);
  EXPECT_EQ(ProbeCalls[0].slot, PROBE_COLUMN);
  EXPECT_EQ(ProbeCalls[0].text, "");
  EXPECT_EQ(ProbeCalls[1].slot, PROBE_CLEAR);

  ProbeCalls.clear();
  GadgetFree(20);
  ASSERT_EQ(ProbeCalls.size(), 1u);
  EXPECT_EQ(ProbeCalls[0].slot, PROBE_DESTROY);
  EXPECT_EQ(ProbeCalls[0].position, 99);
}

TEST_F(GadgetWindowTest, OwnerWindowIsTheNearestToolkitWindow) {
  HWND direct = ButtonCreate(30, 0, 0, 50, 20, "direct");
  HWND plain = CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 200, 100, window, nullptr, nullptr, nullptr);
  HWND nested = CreateWindowExA(0, "Button", "", WS_CHILD, 0, 0, 20, 20, plain, nullptr, nullptr, nullptr);
  HWND marked = CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 200, 100, window, nullptr, nullptr, nullptr);
  SetPropA(marked, WINDOW_ID_PROPERTY, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(9)));
  HWND inMarked = CreateWindowExA(0, "Button", "", WS_CHILD, 0, 0, 20, 20, marked, nullptr, nullptr, nullptr);
  HWND lonely = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr, nullptr, nullptr);
  const struct {
    const char *name;
    HWND start;
    HWND owner;
  } cases[] = {
      {"control on the window", direct, window},
      {"control in a plain container", nested, window},
      {"control in a marked container", inMarked, marked},
      {"the toolkit window itself", window, window},
      {"top-level window without the mark", lonely, lonely},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(GadgetOwnerWindow(c.start), c.owner);
  }
  RemovePropA(marked, WINDOW_ID_PROPERTY);
  DestroyWindow(lonely);
}

TEST_F(GadgetWindowTest, PostedEventsReachTheOwnersQueue) {
  HWND plain = CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 200, 100, window, nullptr, nullptr, nullptr);
  GadgetListSet(plain);
  HWND inner = ButtonCreate(31, 0, 0, 50, 20, "inner");
  GadgetListSet(window);
  EventDrain();
  GadgetPostEvent(inner, GADGET_EVENT_RIGHT_CLICK);
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, window, MSG_GADGET_EVENT, MSG_GADGET_EVENT, PM_NOREMOVE));
  EXPECT_EQ(message.wParam, 31u);
  EXPECT_EQ(message.lParam, GADGET_EVENT_RIGHT_CLICK);
  std::vector<DrainedEvent> expected = {GadgetEvent(31, GADGET_EVENT_RIGHT_CLICK)};
  EXPECT_EQ(EventsOnly(EventDrain(), {EVENT_GADGET}), expected);
}

} // namespace
