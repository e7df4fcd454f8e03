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
#include <string_view>
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

// Everything the exports may change that the level can see.
std::string observe(host::Engine& e) {
    const PluginState& s = state();
    const panel::OptionGroup* controller = s.panel.controller();
    std::ostringstream out;
    out << (s.panel.settings() != nullptr) << ' ' << s.panel.geneNames().size() << ' '
        << s.panel.choice(0) << ' ' << (controller != nullptr ? controller->choice(0) : -1) << ' '
        << e.entitiesCreated() << ' ' << e.liveEntities() << ' ' << *e.var("average") << ' '
        << e.var("bigarray")[0] << ' ' << s.corpus.count() << ' ' << e.text("selStr") << '|'
        << e.text("Str0") << '|' << e.text("FeedbackText") << '|'
        << e.panel("DialogPanel")[abi::panel::kPosX];
    return out.str();
}

host::Engine* engine = nullptr;
int32_t particle[abi::particle::kWords] = {};
int32_t speeds[2] = {fromInt(1), fromInt(2)};
const char* calling = "";  // the export being called

// Arguments a level would pass, by type.
template <typename T>
T argument();
template <>
int32_t argument<int32_t>() {
    return fromInt(1);
}
template <>
int32_t* argument<int32_t*>() {
    return speeds;
}
template <>
void* argument<void*>() {
    const std::string_view name = calling;
    if (name == "A5_DLLAPI") return engine->interfaceRecord();
    if (name == "DLLEffect_Explo" || name == "DLLPart_Alphafade") return particle;
    return state().evolution.entity(0).raw();
}
using ClockFunction = int64_t (*)();
template <>
ClockFunction argument<ClockFunction>() {
    return &testing::standingClock;
}

template <typename Result, typename... Parameters>
void callWithArguments(Result (*function)(Parameters...)) {
    function(argument<Parameters>()...);
}

// Every export of the list.
#define EVOPLUG_EXPORT_ROW(result, name, params) \
    {#name, [] {                                 \
         calling = #name;                        \
         callWithArguments(&name);               \
     }},
const std::pair<const char*, std::function<void()>> kExports[] = {
    EVOPLUG_EXPORTS(EVOPLUG_EXPORT_ROW)};
#undef EVOPLUG_EXPORT_ROW

// A failed call leaves what the level sees as it was, so the ordinary call
// after it ends as the ordinary call alone does.
TEST(Boundary, AFailedAllocationEndsTheExportAndLosesNothing) {
    std::cout.setstate(std::ios::badbit);  // the report, dropped without allocating
    std::cerr.setstate(std::ios::badbit);
    for (const auto& [name, call] : kExports) {
        std::string alone;
        bool completed = false;
        for (long n = -1; !completed; ++n) {
            SCOPED_TRACE(std::string(name) + ", allocation " + std::to_string(n));
            ResetPluginState();
            host::Engine theEngine;
            host::Level level(theEngine);
            engine = &theEngine;
            testing::startUpWithPopulation(theEngine);
            const std::string before = observe(theEngine);
            allocationsUntilFailure = n;
            call();
            completed = n >= 0 && allocationsUntilFailure >= 0;
            allocationsUntilFailure = -1;
            if (n < 0) {
                alone = observe(theEngine);
                continue;
            }
            if (completed) break;
            EXPECT_EQ(observe(theEngine), before);
            call();
            EXPECT_EQ(observe(theEngine), alone);
        }
    }
    ResetPluginState();
    engine = nullptr;
    std::cout.clear();
    std::cerr.clear();
}

// The script reads every export's answer: without a population, those that
// then have nothing to do answer 0 and change nothing.
TEST(Boundary, IdleExportsAnswerZeroAndChangeNothing) {
    host::Engine theEngine;
    host::Level level(theEngine);
    ResetPluginState();
    A5_DLLAPI(theEngine.interfaceRecord());
    InterfaceInit();
    init_population();
    const std::string before = observe(theEngine);
    const std::pair<const char*, int32_t (*)()> idle[] = {
        {"TransferChrom", &TransferChrom},
        {"SendFitnessFunction", &SendFitnessFunction},
        {"bin_extern", &bin_extern},
        {"evolution", [] { return evolution(0, 0); }},
    };
    for (const auto& [name, call] : idle) {
        EXPECT_EQ(call(), 0) << name;
        EXPECT_EQ(observe(theEngine), before) << name;
    }
    ResetPluginState();
}

}  // namespace
}  // namespace evoplug
