// Stand-ins for the list's item calls and the message box, so that the
// loading logic can be checked without a user interface.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct FakeListAndMessage {
  std::vector<std::string> rows; // rows given as characters are kept in UTF-8
  int32_t wideRows = 0;          // of those, the rows given as characters
  int32_t rowsTaken = -1;        // rows the list takes before it refuses; -1: all
  int32_t addCalls = 0;
  int32_t clearCount = 0;
  int32_t otherGadgetCalls = 0; // item calls naming anything but gadget 0
  int32_t messageCount = 0;
  std::string messageTitle;
  std::string messageText;
  uint32_t messageFlags = 0;
  // The message text must survive string work done while the box is open.
  bool messageSurvivedScratchWork = false;
  bool messageAtScratchEnd = false; // ScratchPos stood one past its NUL
  // The load's progress: the answer given once the list holds stopAtRows.
  int32_t stopAtRows = -1;
  int32_t stopAnswer = 0;
  int32_t progressBegun = 0; // begun and not yet ended
  bool messageDuringProgress = false;
};

extern FakeListAndMessage Fake;
