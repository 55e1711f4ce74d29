// A start-up sequence starts its steps in order; when one fails, those
// already started are stopped newest first, and nothing after it starts.
#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "toolkit/startup/startup_sequence.h"

namespace {

char failingStep; // the name of the step that fails, 0 for none
std::string stepLog;

template <char NAME> bool StepStart() {
  stepLog += std::string("+") + NAME;
  return NAME != failingStep;
}
template <char NAME> void StepStop() {
  stepLog += std::string("-") + NAME;
}

// Step b has nothing to stop.
const StartupStep STEPS[] = {
    {StepStart<'a'>, StepStop<'a'>},
    {StepStart<'b'>, nullptr},
    {StepStart<'c'>, StepStop<'c'>},
    {StepStart<'d'>, StepStop<'d'>},
};

TEST(StartupSequence, AFailedStepStopsTheStartedOnesNewestFirst) {
  struct Case {
    char failing;
    bool started;
    const char *startLog;
    const char *stopLog;    // of two stops in a row
    const char *restartLog; // b, with nothing to stop, stays done
  };
  const Case cases[] = {
      {0, true, "+a+b+c+d", "-d-c-a", "+a+c+d"},
      {'a', false, "+a", "", "+a"},
      {'c', false, "+a+b+c-a", "", "+a+c-a"},
      {'d', false, "+a+b+c+d-c-a", "", "+a+c+d-c-a"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.startLog);
    StartupSequence sequence = {STEPS, std::size(STEPS), 0, 0};
    failingStep = c.failing;
    stepLog.clear();
    EXPECT_EQ(StartupSequenceStart(&sequence), c.started);
    if (c.started) {
      EXPECT_TRUE(StartupSequenceStart(&sequence)) << "every step is started already";
    }
    EXPECT_EQ(stepLog, c.startLog);
    stepLog.clear();
    StartupSequenceStop(&sequence);
    StartupSequenceStop(&sequence);
    EXPECT_EQ(stepLog, c.stopLog);
    stepLog.clear();
    StartupSequenceStart(&sequence);
    EXPECT_EQ(stepLog, c.restartLog);
  }
}

} // namespace
