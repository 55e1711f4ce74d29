#include "toolkit/startup/startup_sequence.h"

bool StartupSequenceStart(StartupSequence *sequence) {
  while (sequence->started < sequence->count) {
    const StartupStep &step = sequence->steps[sequence->started];
    // A restart must not make the heaps again: records and texts in them
    // outlive the stop.
    bool stillStands = step.stop == nullptr && sequence->started < sequence->reached;
    if (!stillStands && !step.start()) {
      StartupSequenceStop(sequence);
      return false;
    }
    sequence->started++;
    if (sequence->started > sequence->reached) {
      sequence->reached = sequence->started;
    }
  }
  return true;
}

void StartupSequenceStop(StartupSequence *sequence) {
  while (sequence->started > 0) {
    sequence->started--;
    const StartupStep &step = sequence->steps[sequence->started];
    if (step.stop) {
      step.stop();
    }
  }
}
