#include "tests/app/fake_list_and_message.h"

#include <cstring>

#include <gtest/gtest.h>

#include "app/loader_calls.h"
#include "tests/support/utf_text.h"
#include "toolkit/strings/string_engine.h"

FakeListAndMessage Fake;

void GadgetItemsClear(ObjectId number) {
  if (number != 0) {
    Fake.otherGadgetCalls++;
    return;
  }
  Fake.clearCount++;
  Fake.rows.clear();
  Fake.wideRows = 0;
}

int32_t GadgetItemAdd(ObjectId number, int32_t position, const char *text) {
  if (number != 0 || position != -1) {
    Fake.otherGadgetCalls++;
    return 0;
  }
  Fake.addCalls++;
  if (Fake.rowsTaken >= 0 && static_cast<int32_t>(Fake.rows.size()) >= Fake.rowsTaken) {
    return 0;
  }
  Fake.rows.push_back(text ? text : "");
  return 1;
}

int32_t GadgetItemAddWide(ObjectId number, int32_t position, const char16_t *text) {
  std::string bytes = Utf8FromUtf16(text ? text : u"");
  int32_t added = GadgetItemAdd(number, position, bytes.c_str());
  Fake.wideRows += added;
  return added;
}

int32_t GadgetItemsCount(ObjectId number) {
  if (number != 0) {
    Fake.otherGadgetCalls++;
    return -1;
  }
  return static_cast<int32_t>(Fake.rows.size());
}

int32_t ListViewAddColumn(ObjectId, int32_t, const char *, int32_t) {
  return -1;
}

int32_t ShowMessage(const char *title, const char *text, uint32_t flags) {
  Fake.messageCount++;
  Fake.messageDuringProgress = Fake.progressBegun != 0;
  Fake.messageTitle = title ? title : "";
  Fake.messageText = text ? text : "";
  Fake.messageFlags = flags;
  int32_t length = static_cast<int32_t>(std::strlen(text));
  int32_t offset = ScratchContains(text) - 1;
  Fake.messageAtScratchEnd = offset >= 0 && ScratchPos == offset + length + 1;
  // A window procedure running inside the modal loop may build strings.
  int32_t pos = ScratchPos;
  StrAppendScratch("text built while the message is open");
  Fake.messageSurvivedScratchWork = Fake.messageText == text;
  ScratchSetPos(pos);
  return 1;
}

void LoadProgressBegin() {
  Fake.progressBegun++;
}

int32_t LoadProgressStep(int32_t rows) {
  EXPECT_EQ(rows, static_cast<int32_t>(Fake.rows.size()));
  return rows == Fake.stopAtRows ? Fake.stopAnswer : LOAD_GO_ON;
}

void LoadProgressEnd() {
  Fake.progressBegun--;
}
