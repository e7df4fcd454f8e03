#include "stop_signal.h"

#include <unistd.h>

#include <csignal>

namespace evolve {
namespace {

volatile std::sig_atomic_t caught = 0;

extern "C" void onStopSignal(int signal) {
    if (caught != 0) ::_exit(128 + signal);
    caught = signal;
    static const char note[] = "evolve: stopping after this generation; once more stops at once\n";
    (void)!::write(STDERR_FILENO, note, sizeof note - 1);
}

}  // namespace

void catchStopSignals() {
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    // Either signal waits while the handler runs, so a second one finds the first.
    sigaddset(&action.sa_mask, SIGINT);
    sigaddset(&action.sa_mask, SIGTERM);
    // Restarted calls keep our own writes whole.
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGXFSZ, SIG_IGN);
}

int stopSignal() { return caught; }

}  // namespace evolve
