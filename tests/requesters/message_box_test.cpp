#include <gtest/gtest.h>

#include <string>

#include "tests/requesters/dialog_answer.h"
#include "toolkit/requesters/requesters.h"

namespace {

struct BoxSeen {
  std::string caption;
  std::string text;
};

BOOL CALLBACK StaticTextFind(HWND child, LPARAM seen) {
  char className[16] = "";
  GetClassNameA(child, className, sizeof className);
  std::string text = WindowTextRead(child);
  if (lstrcmpiA(className, "Static") == 0 && !text.empty()) {
    reinterpret_cast<BoxSeen *>(seen)->text = text;
    return FALSE;
  }
  return TRUE;
}

TEST(ShowMessage, PlacesTitleAndTextAndReturnsTheButtonPressed) {
  struct Case {
    const char *title;
    const char *text;
    uint32_t flags;
    int button;
  } cases[] = {
      {"Anzahl Zeilen", "1234 Zeilen gelesen !", 0, IDOK},
      {"Fehler !", "Kein Quell - Ordner gew\xE4hlt !", 0, IDOK},
      {"Frage", "Weiter?", MB_OKCANCEL, IDCANCEL},
  };
  for (const Case &test : cases) {
    BoxSeen seen;
    std::thread answer = DialogAnswerStart([&](HWND box) {
      seen.caption = WindowTextRead(box);
      EnumChildWindows(box, StaticTextFind, reinterpret_cast<LPARAM>(&seen));
      DialogButtonPress(box, test.button);
    });
    int32_t result = ShowMessage(test.title, test.text, test.flags);
    answer.join();
    EXPECT_EQ(result, test.button) << test.title;
    EXPECT_EQ(seen.caption, test.title);
    EXPECT_EQ(seen.text, test.text);
  }
}

} // namespace
