// Buttons, labels and text fields: styles, text, events, state and colours.
#include <algorithm>

#include "tests/gadgets/gadget_test_support.h"
#include "tests/support/activation_watch.h"
#include "toolkit/gadgets/brush_cache.h"
#include "toolkit/gadgets/simple_gadget.h"

namespace {

// The fixed styles of each kind, before its flags.
const DWORD BUTTON_STYLE = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP;
static_assert(BUTTON_STYLE == 0x50030000, "the button's fixed style");
const DWORD LABEL_STYLE = WS_CHILD | WS_VISIBLE | WS_GROUP;
static_assert(LABEL_STYLE == 0x50020000, "the label's fixed style");
const DWORD TEXT_FIELD_STYLE = BUTTON_STYLE | ES_AUTOHSCROLL;
static_assert(TEXT_FIELD_STYLE == 0x50030080, "the text field's fixed style");

typedef HWND (*GadgetCreateExFunction)(ObjectId, int32_t, int32_t, int32_t, int32_t, const char *, uint32_t);

TEST_F(GadgetWindowTest, StylesFollowTypeAndFlags) {
  const struct {
    const char *name;
    GadgetCreateExFunction create;
    uint32_t flags;
    const char *className;
    DWORD style;
    bool clientEdge;
  } cases[] = {
      {"push button", ButtonCreateEx, 0, "Button", BUTTON_STYLE | BS_PUSHBUTTON, false},
      {"check box", ButtonCreateEx, BS_AUTOCHECKBOX, "Button", BUTTON_STYLE | BS_AUTOCHECKBOX, false},
      {"label", LabelCreateEx, 0, "Static", LABEL_STYLE, false},
      {"bordered label", LabelCreateEx, SIMPLE_GADGET_FLAG_EDGE, "Static", LABEL_STYLE, true},
      {"centred label", LabelCreateEx, SS_CENTER, "Static", LABEL_STYLE | SS_CENTER, false},
      {"text field", TextFieldCreateEx, 0, "Edit", TEXT_FIELD_STYLE, true},
      {"flat text field", TextFieldCreateEx, SIMPLE_GADGET_FLAG_EDGE, "Edit", TEXT_FIELD_STYLE, false},
      {"read-only text field", TextFieldCreateEx, ES_READONLY, "Edit", TEXT_FIELD_STYLE | ES_READONLY, true},
  };
  ObjectId number = 0;
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    HWND control = c.create(number, 10, 10 + 25 * number, 120, 22, c.name, c.flags);
    ASSERT_NE(control, nullptr);
    char className[32];
    GetClassNameA(control, className, sizeof(className));
    EXPECT_STREQ(className, c.className);
    DWORD style = static_cast<DWORD>(GetWindowLongPtrA(control, GWL_STYLE));
    EXPECT_EQ(style & c.style, c.style);
    EXPECT_EQ((GetWindowLongPtrA(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0, c.clientEdge);
    GadgetRecord *gadget = GadgetRecordOf(number);
    ASSERT_NE(gadget, nullptr);
    const bool coloured = c.create != ButtonCreateEx;
    EXPECT_EQ(gadget->typeData[COLORED_BACK_COLOR], coloured ? -1 : 0);
    EXPECT_EQ(gadget->typeData[COLORED_TEXT_COLOR], coloured ? -1 : 0);
    EXPECT_EQ(gadget->typeData[COLORED_BACK_BRUSH], 0);
    number++;
  }
}

TEST_F(GadgetWindowTest, TextComesBackThroughTheScratchBuffer) {
  ASSERT_NE(TextFieldCreate(5, 10, 10, 100, 22, ","), nullptr);
  ASSERT_NE(LabelCreate(6, 10, 40, 100, 22, nullptr), nullptr);
  ASSERT_NE(ButtonCreate(7, 10, 70, 100, 22, nullptr), nullptr);
  EXPECT_EQ(GadgetText(5), ",");
  EXPECT_EQ(GadgetText(6), "");
  EXPECT_EQ(GadgetText(7), "");

  SetWindowTextA(GadgetRecordOf(5)->window, "; ");
  std::string longText(20000, 'x');
  ASSERT_NE(LabelCreate(8, 10, 100, 100, 22, longText.c_str()), nullptr);
  const struct {
    ObjectId number;
    const char *prefix;
    std::string text;
  } cases[] = {
      {5, "", "; "}, {5, "Trenner:", "; "}, {3, "", ""}, {3, "abc", ""}, {-1, "", ""}, {8, "ab", longText},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.number);
    int32_t start = ScratchPos;
    StrAppendScratch(c.prefix);
    int32_t pos = ScratchPos;
    GadgetTextGet(c.number, pos);
    EXPECT_EQ(ScratchPos, pos + static_cast<int32_t>(c.text.size()));
    EXPECT_EQ(std::string(ScratchAt(start), ScratchPos - start), std::string(c.prefix) + c.text);
    if (!c.text.empty()) {
      EXPECT_EQ(*ScratchAt(ScratchPos), '\0');
    }
    ScratchSetPos(start);
  }
}

int32_t CountEvents(const std::vector<DrainedEvent> &events, int32_t type) {
  return static_cast<int32_t>(std::count(events.begin(), events.end(), GadgetEvent(5, type)));
}

// Focus into the field by a click, two typed characters and Enter pressed
// and held, focus away again.
struct FocusRound {
  bool undisturbed; // the window kept the activation throughout
  HWND focusAfterClick;
  std::vector<DrainedEvent> click, typing, leaving;
  std::string text;
};

FocusRound TextFieldFocusRound(HWND window, HWND button, HWND field) {
  FocusRound round = {};
  SetWindowTextA(field, ",");
  SetForegroundWindow(window);
  SetFocus(button);
  EventDrain();
  ActivationWatch activation(window);
  // Posted, so that EventWait dispatches them as it would the user's input.
  PostMessageA(field, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(90, 5));
  PostMessageA(field, WM_LBUTTONUP, 0, MAKELPARAM(90, 5));
  round.click = EventDrain();
  round.focusAfterClick = GetFocus();
  SendMessageA(field, EM_SETSEL, 1, 1);
  PostMessageA(field, WM_CHAR, ';', 1);
  PostMessageA(field, WM_CHAR, ' ', 1);
  PostMessageA(field, WM_KEYDOWN, VK_RETURN, 1);
  PostMessageA(field, WM_KEYDOWN, VK_RETURN, LPARAM(1) << 30 | 1);
  round.typing = EventDrain();
  round.text = GadgetText(5);
  SetFocus(button);
  round.leaving = EventDrain();
  round.undisturbed = activation.Undisturbed();
  return round;
}

TEST_F(GadgetWindowTest, TextFieldReportsFocusAndChanges) {
  HWND button = ButtonCreate(1, 10, 10, 100, 24, "Start");
  HWND field = TextFieldCreate(5, 10, 40, 100, 22, ",");
  ASSERT_NE(field, nullptr);
  // Other programs on the shared display may take the foreground for a
  // moment; a round they disturbed is repeated.
  FocusRound round;
  for (int attempt = 0; attempt < 5; attempt++) {
    round = TextFieldFocusRound(window, button, field);
    if (round.undisturbed) {
      break;
    }
  }
  EXPECT_TRUE(round.undisturbed);
  EXPECT_EQ(round.focusAfterClick, field);
  EXPECT_EQ(CountEvents(round.click, GADGET_EVENT_FOCUS), 1);
  EXPECT_EQ(CountEvents(round.click, GADGET_EVENT_LOST_FOCUS), 0);
  EXPECT_EQ(CountEvents(round.typing, GADGET_EVENT_CHANGE), 2);
  // Enter acts once per press and puts nothing into the field.
  EXPECT_EQ(CountEvents(round.typing, GADGET_EVENT_ENTER), 1);
  EXPECT_EQ(round.text, ",; ");
  EXPECT_EQ(CountEvents(round.leaving, GADGET_EVENT_LOST_FOCUS), 1);
  EXPECT_EQ(CountEvents(round.leaving, GADGET_EVENT_FOCUS), 0);
  // The chain runs from GadgetWindowProc through TextFieldProc to the class.
  EXPECT_EQ(GetWindowLongPtrA(field, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(GadgetWindowProc));
  EXPECT_EQ(GadgetRecordOf(5)->previousProcedure, TextFieldProc);
}

TEST_F(GadgetWindowTest, ButtonStateIsItsCheck) {
  ASSERT_NE(ButtonCreateEx(1, 10, 10, 100, 24, "check", BS_AUTOCHECKBOX), nullptr);
  ASSERT_NE(ButtonCreate(2, 10, 40, 100, 24, "push"), nullptr);
  GadgetRecord *check = GadgetRecordOf(1);
  const GadgetOps *operations = check->operations;
  ASSERT_NE(operations->GetState, nullptr);
  EXPECT_EQ(operations->GetState(check), 0);
  const struct {
    int32_t set;
    int32_t get;
  } cases[] = {{1, 1}, {0, 0}, {7, 1}, {-1, 1}, {0, 0}};
  for (const auto &c : cases) {
    SCOPED_TRACE(c.set);
    operations->SetState(check, c.set);
    EXPECT_EQ(operations->GetState(check), c.get);
    EXPECT_EQ(SendMessageA(check->window, BM_GETCHECK, 0, 0), c.get);
  }
  EXPECT_EQ(GadgetRecordOf(2)->operations, operations);
  EXPECT_EQ(operations->type, GADGET_TYPE_BUTTON);
  EXPECT_EQ(operations->OnParentMessage, nullptr);
  EXPECT_EQ(operations->AddItem, nullptr);
}

struct ColourCase {
  const char *name;
  int32_t textColour;
  int32_t backColour;
  UINT message;
  bool handled;
  int defaultBackground; // system colour of the brush when only the text colour is set
};

void CheckColourAnswer(HWND window, ObjectId number, const ColourCase &c) {
  GadgetRecord *gadget = GadgetRecordOf(number);
  gadget->operations->SetColor(gadget, COLOR_KIND_TEXT, c.textColour);
  gadget->operations->SetColor(gadget, COLOR_KIND_BACK, c.backColour);
  EXPECT_EQ(gadget->operations->GetColor(gadget, COLOR_KIND_TEXT), c.textColour);
  EXPECT_EQ(gadget->operations->GetColor(gadget, COLOR_KIND_BACK), c.backColour);
  HDC context = GetDC(gadget->window);
  SetTextColor(context, 0x010101);
  SetBkColor(context, 0x020202);
  LRESULT answer = gadget->operations->OnParentMessage(gadget, window, c.message, reinterpret_cast<WPARAM>(context),
                                                       reinterpret_cast<LPARAM>(gadget->window));
  if (!c.handled || (c.textColour == -1 && c.backColour == -1)) {
    EXPECT_EQ(answer, PROC_DEFAULT);
  } else if (c.backColour != -1) {
    EXPECT_EQ(answer, gadget->typeData[COLORED_BACK_BRUSH]);
    EXPECT_NE(answer, 0);
    EXPECT_EQ(GetBkColor(context), static_cast<COLORREF>(c.backColour));
  } else {
    EXPECT_EQ(answer, reinterpret_cast<LRESULT>(GetSysColorBrush(c.defaultBackground)));
    EXPECT_EQ(GetBkColor(context), GetSysColor(c.defaultBackground));
  }
  if (c.handled && c.textColour != -1) {
    EXPECT_EQ(GetTextColor(context), static_cast<COLORREF>(c.textColour));
  } else {
    EXPECT_EQ(GetTextColor(context), 0x010101u);
  }
  ReleaseDC(gadget->window, context);
}

TEST_F(GadgetWindowTest, LabelAndTextFieldColoursAnswerTheirParent) {
  ASSERT_NE(LabelCreate(4, 10, 10, 100, 20, "label"), nullptr);
  ASSERT_NE(TextFieldCreate(5, 10, 40, 100, 22, "field"), nullptr);
  const ColourCase labelCases[] = {
      {"defaults", -1, -1, WM_CTLCOLORSTATIC, true, COLOR_BTNFACE},
      {"text only", 0x0000FF, -1, WM_CTLCOLORSTATIC, true, COLOR_BTNFACE},
      {"back only", -1, 0x00FF00, WM_CTLCOLORSTATIC, true, COLOR_BTNFACE},
      {"both", 0x0000FF, 0x00FF00, WM_CTLCOLORSTATIC, true, COLOR_BTNFACE},
      {"edit message", 0x0000FF, 0x00FF00, WM_CTLCOLOREDIT, false, COLOR_BTNFACE},
  };
  for (const ColourCase &c : labelCases) {
    SCOPED_TRACE(std::string("label ") + c.name);
    CheckColourAnswer(window, 4, c);
  }
  const ColourCase fieldCases[] = {
      {"defaults", -1, -1, WM_CTLCOLOREDIT, true, COLOR_BTNHIGHLIGHT},
      {"text only", 0x0000FF, -1, WM_CTLCOLOREDIT, true, COLOR_BTNHIGHLIGHT},
      {"back only", -1, 0x00FF00, WM_CTLCOLOREDIT, true, COLOR_BTNHIGHLIGHT},
      {"static message while enabled", 0x0000FF, -1, WM_CTLCOLORSTATIC, true, COLOR_BTNHIGHLIGHT},
      {"button message", 0x0000FF, 0x00FF00, WM_CTLCOLORBTN, false, COLOR_BTNHIGHLIGHT},
  };
  for (const ColourCase &c : fieldCases) {
    SCOPED_TRACE(std::string("text field ") + c.name);
    CheckColourAnswer(window, 5, c);
  }
  // A disabled field keeps the platform's look.
  EnableWindow(GadgetRecordOf(5)->window, FALSE);
  CheckColourAnswer(window, 5, {"disabled", 0x0000FF, 0x00FF00, WM_CTLCOLORSTATIC, false, COLOR_BTNHIGHLIGHT});
  EnableWindow(GadgetRecordOf(5)->window, TRUE);

  // The window passes its colour messages on to the gadget.
  GadgetRecord *field = GadgetRecordOf(5);
  HDC context = GetDC(field->window);
  EXPECT_EQ(
      SendMessageA(window, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(context), reinterpret_cast<LPARAM>(field->window)),
      field->typeData[COLORED_BACK_BRUSH]);
  ReleaseDC(field->window, context);

  // Any other colour kind only redraws.
  for (ObjectId number : {4, 5}) {
    GadgetRecord *gadget = GadgetRecordOf(number);
    EXPECT_NE(gadget->operations->SetColor(gadget, COLOR_KIND_LINE, 0x123456), 0);
    EXPECT_EQ(gadget->operations->GetColor(gadget, COLOR_KIND_LINE), -1);
    EXPECT_EQ(gadget->operations->GetColor(gadget, 0), -1);
    EXPECT_EQ(gadget->operations->GetColor(gadget, COLOR_KIND_TEXT), 0x0000FF);
    EXPECT_EQ(gadget->operations->GetColor(gadget, COLOR_KIND_BACK), 0x00FF00);
  }
}

BrushCacheEntry *BrushCacheEntryOf(HBRUSH brush) {
  for (void *payload = HeapListNewest(&BrushCache); payload; payload = HeapListOlder(payload)) {
    BrushCacheEntry *entry = static_cast<BrushCacheEntry *>(payload);
    if (entry->brush == brush) {
      return entry;
    }
  }
  return nullptr;
}

TEST_F(GadgetWindowTest, GadgetsOfOneBackColourShareOneBrush) {
  ASSERT_EQ(BrushCache.head, nullptr);
  ASSERT_NE(LabelCreate(1, 10, 10, 100, 20, "one"), nullptr);
  ASSERT_NE(LabelCreate(2, 10, 40, 100, 20, "two"), nullptr);
  ASSERT_NE(TextFieldCreate(3, 10, 70, 100, 22, "three"), nullptr);
  for (ObjectId number : {1, 2}) {
    GadgetRecord *gadget = GadgetRecordOf(number);
    gadget->operations->SetColor(gadget, COLOR_KIND_BACK, 0x445566);
  }
  GadgetRecord *field = GadgetRecordOf(3);
  field->operations->SetColor(field, COLOR_KIND_BACK, 0x778899);
  HBRUSH shared = reinterpret_cast<HBRUSH>(GadgetRecordOf(1)->typeData[COLORED_BACK_BRUSH]);
  HBRUSH own = reinterpret_cast<HBRUSH>(field->typeData[COLORED_BACK_BRUSH]);
  ASSERT_NE(shared, nullptr);
  EXPECT_EQ(reinterpret_cast<HBRUSH>(GadgetRecordOf(2)->typeData[COLORED_BACK_BRUSH]), shared);
  EXPECT_NE(own, shared);
  ASSERT_NE(BrushCacheEntryOf(shared), nullptr);
  EXPECT_EQ(BrushCacheEntryOf(shared)->useCount, 2);
  EXPECT_EQ(BrushCacheEntryOf(shared)->colour, 0x445566u);
  EXPECT_EQ(BrushCacheEntryOf(own)->useCount, 1);

  GadgetFree(1);
  ASSERT_NE(BrushCacheEntryOf(shared), nullptr);
  EXPECT_EQ(BrushCacheEntryOf(shared)->useCount, 1);
  EXPECT_EQ(GetObjectType(shared), static_cast<DWORD>(OBJ_BRUSH));

  // Back to the default colour gives the brush back, too.
  field->operations->SetColor(field, COLOR_KIND_BACK, -1);
  EXPECT_EQ(field->typeData[COLORED_BACK_BRUSH], 0);
  EXPECT_EQ(BrushCacheEntryOf(own), nullptr);
  EXPECT_EQ(GetObjectType(own), 0u);

  GadgetFree(2);
  EXPECT_EQ(BrushCacheEntryOf(shared), nullptr);
  EXPECT_EQ(GetObjectType(shared), 0u);
  EXPECT_EQ(BrushCache.head, nullptr);

  // Releasing a brush the cache does not hold changes nothing.
  HBRUSH stranger = CreateSolidBrush(0x010203);
  BrushCacheRelease(stranger);
  EXPECT_EQ(GetObjectType(stranger), static_cast<DWORD>(OBJ_BRUSH));
  DeleteObject(stranger);
}

} // namespace
