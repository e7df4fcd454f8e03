// Long runs through the loaded plug-in, measured (make test-long): how the
// live entities and the process's resident memory behave however long a
// level runs, rebuilds its population, or lets the player drag and press
// buttons. Prints each figure; exits 1 when the entities drift or memory
// grows past its allowance after the first tenth of a run.
//
// A divisor for the counts, for a run under valgrind:
//   valgrind --leak-check=full build/bench/long_runs 100
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>

#include "engine.h"
#include "level.h"
#include "plugin.h"

namespace {

using namespace evoplug;
using host::fromInt;

int64_t fixedSeconds() { return 777; }

long residentKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

// Swallows the progress report, which would otherwise run to gigabytes.
struct Discard : std::streambuf {
    int overflow(int c) override { return c; }
};

struct Run {
    const char* what;
    int count;
    host::LevelSettings settings;
    size_t entities;  // live throughout
    long allowedKiB;
    std::function<void(const host::Exports&, int)> step;
};

}  // namespace

int main(int argc, char** argv) {
    const int divisor = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
    const auto plugin = host::Plugin::load(EVOPLUG_PLUGIN_PATH);
    const Run runs[] = {
        {"generations, every strategy pair in turn",
         100000,
         {200, 3, 500, 50},
         200,
         512,
         [](const host::Exports& x, int i) {
             if (i % 10000 == 0) {  // a new population for each pair
                 x.SelectCommand(0, fromInt(i / 10000 % 6 < 3 ? 1 : -1));
                 x.SelectCommand(fromInt(1), fromInt(i / 10000 % 5 < 2 ? 1 : -1));
                 x.CreateGenotype();
             }
             x.evolution(0, 0);
         }},
        {"re-creations",
         10000,
         {200},
         200,
         512,
         [](const host::Exports& x, int) { x.CreateGenotype(); }},
        {"DragPanel", 1000000, {}, 20, 1024, [](const host::Exports& x, int) { x.DragPanel(); }},
        {"MoveMyPanel",
         1000000,
         {},
         20,
         1024,
         [](const host::Exports& x, int) { x.MoveMyPanel(); }},
        {"ReleaseMyPanel",
         1000000,
         {},
         20,
         1024,
         [](const host::Exports& x, int) { x.ReleaseMyPanel(); }},
        {"SelectCommand",
         1000000,
         {},
         20,
         1024,
         [](const host::Exports& x, int i) { x.SelectCommand(0, fromInt(i % 2 ? -1 : 1)); }},
    };
    Discard discard;
    std::streambuf* report = std::cout.rdbuf(&discard);
    int status = 0;
    for (const Run& run : runs) {
        const host::Exports& x = plugin->exports();
        x.ResetPluginState();
        host::Engine engine;
        host::Level level(engine, run.settings);
        engine.setCallLogging(false);
        *engine.var("dragSwitch") = fromInt(1);
        x.SetRuntimeClock(&fixedSeconds);
        level.startUp(*plugin);
        x.CreateGenotype();
        const int count = run.count / divisor;
        long warm = residentKiB();
        bool drifted = false;
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < count && !drifted; ++i) {
            run.step(x, i);
            drifted = engine.liveEntities() != run.entities || engine.badRemovals() != 0;
            if (i + 1 == count / 10) warm = residentKiB();
        }
        const long grown = residentKiB() - warm;
        std::fprintf(
            stderr, "%s: %d in %.1f s, VmRSS grew by %ld KiB after the first tenth%s\n", run.what,
            count, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
            grown, drifted ? ", ENTITIES DRIFTED" : "");
        // Under valgrind, whose allocator holds freed blocks back, memory says nothing.
        if (drifted || (divisor == 1 && grown >= run.allowedKiB)) status = 1;
    }
    std::cout.rdbuf(report);
    plugin->exports().ResetPluginState();
    return status;
}
