// The common controls and COM for the GUI thread, before the first window.
#pragma once

// Always true: what the platform answers is not checked.
bool ControlsStartup();
