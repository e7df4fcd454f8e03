// No exception may leave an export: the engine is not C++. Every allocation
// an export makes is made to fail in turn (the Nth call of operator new
// throws), and each time the export must return, leave the plug-in as it
// was, and the next ordinary call must work. The sanitizer build adds that
// nothing leaks or is freed twice.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <iostream>
#include <new>
#include <sstream>
#include <string>
#include <utility>

#include "engine.h"
#include "exports/exports.h"
#include "level.h"
#include "plugin/plugin_state.h"
#include "support/exports_level.h"

namespace {

long allocationsUntilFailure = -1;  // -1: none fails

}  // namespace

void* operator new(std::size_t size) {
    // The engine's own allocations are its business.
    if (!evoplug::host::Engine::running() && allocationsUntilFailure >= 0 &&
        allocationsUntilFailure-- == 0)
        throw std::bad_alloc();
    if (void* p = std::malloc(size != 0 ? size : 1)) return p;
    throw std::bad_alloc();
}
// The replacement pair allocates with malloc, so it frees with free.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace evoplug {
namespace {

using abi::fromInt;

// Everything the exports below may change.
std::string observe(host::Engine& e) {
    const PluginState& s = state();
    std::ostringstream out;
    out << s.panel.settings() << ' ' << s.panel.geneNames().size() << ' ' << s.panel.choice(0)
        << ' ' << s.panel.controller()->choice(0) << ' ' << e.entitiesCreated() << ' '
        << e.liveEntities() << ' ' << *e.var("average") << ' ' << s.corpus.count() << ' '
        << e.text("selStr") << '|' << e.text("Str0") << '|' << e.text("FeedbackText");
    return out.str();
}

TEST(Boundary, AFailedAllocationEndsTheExportAndLosesNothing) {
    std::cout.setstate(std::ios::badbit);  // the report, dropped without allocating
    const std::pair<const char*, std::function<void()>> exports[] = {
        {"init_population", [] { init_population(); }},
        {"CreateGenotype", [] { CreateGenotype(); }},
        {"evolution", [] { evolution(0, 0); }},
        {"SelectCommand", [] { SelectCommand(0, fromInt(1)); }},
        {"ControlPanelCommand", [] { ControlPanelCommand(0, fromInt(1)); }},
        {"MoveMyPanel", [] { MoveMyPanel(); }},
        {"DragPanel", [] { DragPanel(); }},
        {"CorpusInit", [] { CorpusInit(); }},
    };
    for (const auto& [name, call] : exports) {
        bool completed = false;
        for (long n = 0; !completed; ++n) {
            SCOPED_TRACE(std::string(name) + ", allocation " + std::to_string(n));
            ResetPluginState();
            host::Engine engine;
            host::Level level(engine);
            testing::startUpWithPopulation(engine);
            const std::string before = observe(engine);
            allocationsUntilFailure = n;
            call();
            completed = allocationsUntilFailure >= 0;
            allocationsUntilFailure = -1;
            if (!completed) {
                EXPECT_EQ(observe(engine), before);
            }
            call();  // the next ordinary call works
            EXPECT_NE(observe(engine), before);
        }
    }
    ResetPluginState();
    std::cout.clear();
}

// The script reads every export's answer: the ones that do nothing, and
// those whose body has no result, answer 0 and change nothing else.
TEST(Boundary, IdleExportsAnswerZeroAndChangeNothing) {
    host::Engine engine;
    host::Level level(engine);
    ResetPluginState();
    A5_DLLAPI(engine.interfaceRecord());
    InterfaceInit();
    init_population();
    const std::string before = observe(engine);
    // Without a population a generation does nothing.
    EXPECT_EQ(TransferChrom() | SendFitnessFunction() | bin_extern() | evolution(0, 0), 0);
    EXPECT_EQ(observe(engine), before);
    ResetPluginState();
}

}  // namespace
}  // namespace evoplug
