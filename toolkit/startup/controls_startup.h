// The common controls and COM for the GUI thread, before the first window.
#pragma once

void ControlsStartup();
