// Ctrl-C and SIGTERM ask a run to stop after the current generation, so that
// what is done so far is still written. A second one ends the program at once:
// the rows written as the run went are on disk already.
#pragma once

namespace evolve {

// Also ignores SIGXFSZ, so that a file-size limit fails the write that
// exceeds it and the program reports it.
void catchStopSignals();

// The signal that asked to stop, 0 while none has.
int stopSignal();

}  // namespace evolve
