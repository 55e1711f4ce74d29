// Start-up and shutdown of every toolkit library, from above: the libraries
// provide their steps and never call up into this sequence.
#pragma once

// Runs every start-up step in order; ProgramHeap must exist.
void ToolkitStartup();
// Runs the shutdown steps in the reverse order of start-up.
void ToolkitShutdown();
