// Every window property the windows library sets; all carry the prefix "QX_".
#pragma once

// Window number + 1 on every toolkit window, so that no property never names
// window 0.
#define WINDOW_ID_PROPERTY "QX_WindowID"
// The saved gadget-list state of a window that has been current; the format
// takes the module instance as a decimal integer.
#define GADGET_STACK_PROPERTY_FORMAT "QX_GadgetStack_%lld"
