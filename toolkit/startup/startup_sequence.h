// Running a table of start and stop steps: in order, and when one fails,
// stopping those already started, newest first.
#pragma once
#include <cstddef>

struct StartupStep {
  bool (*start)(); // false: the step did not start and leaves nothing to stop
  void (*stop)();  // null: nothing to undo, the end of the process releases it
};

struct StartupSequence {
  const StartupStep *steps;
  size_t count;
  size_t started; // the steps started and not yet stopped
  size_t reached; // the most steps ever started at once
};

// Starts the steps not yet started. When one fails, stops the started ones
// in reverse order and returns false. A step with nothing to stop runs once:
// after a stop, what it made still stands.
bool StartupSequenceStart(StartupSequence *sequence);
// Stops the started steps in reverse order; nothing when none is started.
void StartupSequenceStop(StartupSequence *sequence);
