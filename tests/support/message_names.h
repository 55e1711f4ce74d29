// Readable names for the message numbers and event codes the tests meet, so
// that a failed comparison says WM_SIZING rather than 532.
#pragma once
#include <cstdint>
#include <string>
#include <windows.h>

// The message's name, or its number in hex when the table lacks it.
std::string MessageName(UINT message);
// An EventWait code: the event's name, else the raw message's name.
std::string EventName(int32_t code);
