#include "toolkit/startup/startup_sequence.h"

bool StartupSequenceStart(StartupSequence *sequence) {
  while (sequence->started < sequence->count) {
    if (!sequence->steps[sequence->started].start()) {
      StartupSequenceStop(sequence);
      return false;
    }
    sequence->started++;
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
