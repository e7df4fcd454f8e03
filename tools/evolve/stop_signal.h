// Ctrl-C and SIGTERM ask a run to stop after the current generation, so that
// what is done so far is still written. A second one ends the program at once.
#pragma once

namespace evolve {

void catchStopSignals();

// The signal that asked to stop, 0 while none has.
int stopSignal();

}  // namespace evolve
