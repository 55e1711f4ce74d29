// Start-up and shutdown of every toolkit library, from above: the libraries
// provide their steps and never call up into this sequence.
#pragma once

// Runs every start-up step not yet run, in order, the program's module and
// heap first. When one fails, the steps already run are stopped in reverse
// order and the result is false.
bool ToolkitStartup();
// Runs the stop steps of the started ones in reverse order; the program heap
// stays.
void ToolkitShutdown();
