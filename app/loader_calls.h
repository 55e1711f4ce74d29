// The loading logic's link-time seam: the list's item calls and the message
// box, declared free of platform types. The program links the toolkit's; the
// loader's tests link stand-ins that record the calls, so the loader builds
// and runs on the host without a user interface.
#pragma once
#include "toolkit/gadgets/gadget_items.h"
#include "toolkit/requesters/requester_calls.h"
