// The loading logic's link-time seam: the list's item calls, the message
// box and the window's progress during a load, declared free of platform
// types. The program links the toolkit's and its own; the loader's tests
// link stand-ins that record the calls, so the loader builds and runs on the
// host without a user interface.
#pragma once
#include "app/load_progress.h"
#include "toolkit/gadgets/gadget_items.h"
#include "toolkit/requesters/requester_calls.h"
