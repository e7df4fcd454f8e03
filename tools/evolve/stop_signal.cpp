#include "stop_signal.h"

#include <csignal>

namespace evolve {
namespace {

volatile std::sig_atomic_t caught = 0;

extern "C" void onStopSignal(int signal) { caught = signal; }

}  // namespace

void catchStopSignals() {
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    // Restarted calls keep our own writes whole; the reset lets a second
    // signal end a program that does not stop soon enough.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

int stopSignal() { return caught; }

}  // namespace evolve
