#include <gtest/gtest.h>

#include <string>

#include "tests/requesters/dialog_answer.h"
#include "toolkit/requesters/requesters.h"
#include "app/storage_message.h"

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

#if GTEST_HAS_DEATH_TEST
// Out of string storage the program says so, then ends with a non-zero code;
// a box with other texts ends the child process with another code.
TEST(ShowMessage, StorageExhaustedTellsTheUserAndEnds) {
  auto exhaust = [] {
    std::thread answer = DialogAnswerStart([](HWND box) {
      BoxSeen seen;
      seen.caption = WindowTextRead(box);
      EnumChildWindows(box, StaticTextFind, reinterpret_cast<LPARAM>(&seen));
      if (seen.caption != "Fehler !" || seen.text != "Zu wenig Speicher !") {
        ExitProcess(2);
      }
      DialogButtonPress(box, IDOK);
    });
    answer.detach();
    StorageExhaustedMessage();
  };
  EXPECT_EXIT(exhaust(), testing::ExitedWithCode(1), "");
}
#endif

} // namespace
