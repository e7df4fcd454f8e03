// The script and the engine may call any export back from inside a call of
// the library's. Each call-out here calls, once, each export that frees or
// replaces state, and `evolution`, a designed nested path. One that would
// take away what the export under way uses is refused in one line and
// changes nothing; the others run. Either way the level stays whole, which
// the sanitizer build checks down to every freed byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iostream>
#include <sstream>
#include <string>

#include "engine.h"
#include "exports/exports.h"
#include "level.h"
#include "plugin/plugin_state.h"

namespace evoplug {
namespace {

using abi::fromInt;

int64_t standingClock() { return 99; }

struct CallOut {
    const char* name;    // as the engine reports it
    const char* inside;  // the export that makes it
    std::function<void()> call;
    bool populationInUse;  // by `inside`, throughout
};

const CallOut kCallOuts[] = {
    {"CalculateFitness", "CreateGenotype", [] { CreateGenotype(); }, true},
    {"CalculateFitness", "evolution", [] { evolution(0, 0); }, true},
    {"CalculateFitness", "MyFitness", [] { MyFitness(); }, false},
    {"checkDragProcess", "MoveMyPanel", [] { MoveMyPanel(); }, false},
    {"beeps", "WDLBeep", [] { WDLBeep(fromInt(2)); }, false},
    {"ent_create", "CreateGenotype", [] { CreateGenotype(); }, true},
    {"ent_remove", "CreateGenotype", [] { CreateGenotype(); }, true},
    {"lock", "PaintScreenWhite", [] { PaintScreenWhite(); }, false},
    {"unlock", "PaintScreenWhite", [] { PaintScreenWhite(); }, false},
};

enum class Refused { Never, WhilePopulationInUse, Always };

struct Nested {
    const char* name;
    // Given a copy of the engine's record at another address: to the
    // library, another engine's record.
    std::function<int32_t(void* otherRecord)> call;
    Refused refused;
};

const Nested kNested[] = {
    {"CreateGenotype", [](void*) { return CreateGenotype(); }, Refused::WhilePopulationInUse},
    {"ResetPluginState",
     [](void*) {
         ResetPluginState();
         return 0;
     },
     Refused::Always},
    {"A5_DLLAPI", [](void* other) { return A5_DLLAPI(other); }, Refused::Always},
    {"evolution", [](void*) { return evolution(0, 0); }, Refused::Never},
};

// The population and the level's entities agree, every gene in range.
void expectWhole(const host::Engine& engine) {
    const genetic::Population* pop = state().evolution.population();
    ASSERT_NE(pop, nullptr);
    EXPECT_EQ(engine.liveEntities(), static_cast<size_t>(pop->popSize));
    EXPECT_EQ(engine.badRemovals(), 0u);
    for (int32_t i = 0; i < pop->popSize; ++i) {
        EXPECT_NE(engine.entity(pop->entities[static_cast<size_t>(i)]), nullptr) << i;
        for (int32_t gene : pop->at(i).genes) EXPECT_LE(unsigned(gene), 254u);
    }
    for (const int32_t* e : engine.entityRecords())
        for (int w = abi::entity::kGene2; w <= abi::entity::kGene0; ++w)
            EXPECT_LE(unsigned(e[w]), 254u * 1024);
}

struct Session {
    std::string errors;   // of the call that makes the call-out
    int32_t answer = -1;  // of the nested export
    std::string outcome;  // all the level shows after a further generation and population
};

// The standard level with a population of 20; then the call-out's export,
// and `nested` inside it the first time the call-out is made.
Session run(const CallOut& out, const Nested* nested) {
    ResetPluginState();
    host::Engine engine;
    host::Level level(engine);
    std::ostringstream report;
    state().report.redirect(&report);
    SetRuntimeClock(&standingClock);
    A5_DLLAPI(engine.interfaceRecord());
    InterfaceInit();
    WDL_syntax();
    init_population();
    init_Ortavia();
    CreateGenotype();
    *engine.var("dragSwitch") = fromInt(1);
    abi::Word elsewhere[abi::host::kWords];
    std::copy_n(static_cast<const abi::Word*>(engine.interfaceRecord()), abi::host::kWords,
                elsewhere);

    Session session;
    bool made = false;
    engine.onCall = [&](std::string_view call) {
        if (nested == nullptr || made || call != out.name) return;
        made = true;
        session.answer = nested->call(elsewhere);
    };
    // Taken from the stream, not the descriptor, where a sanitizer's report goes.
    std::ostringstream errors;
    std::streambuf* const stderrBuffer = std::cerr.rdbuf(errors.rdbuf());
    out.call();
    std::cerr.rdbuf(stderrBuffer);
    session.errors = errors.str();
    engine.onCall = nullptr;
    if (nested != nullptr) {
        EXPECT_EQ(session.answer, 0) << "the call-out was made and answered";
    }
    expectWhole(engine);

    evolution(0, 0);
    CreateGenotype();
    std::ostringstream outcome;
    outcome << report.str() << engine.entitiesCreated() << ' ' << engine.entitiesRemoved() << ' '
            << engine.liveEntities();
    for (const int32_t* e : engine.entityRecords())
        outcome << ' ' << e[abi::entity::kGene0] << ' ' << e[abi::entity::kGene1] << ' '
                << e[abi::entity::kGene2];
    session.outcome = outcome.str();
    ResetPluginState();
    return session;
}

TEST(CallOut, AnExportCalledBackIsRefusedOnlyWhereItWouldTakeAwayWhatTheCallerUses) {
    for (const CallOut& out : kCallOuts) {
        const std::string without = run(out, nullptr).outcome;
        for (const Nested& nested : kNested) {
            SCOPED_TRACE(std::string(nested.name) + " from " + out.name + " in " + out.inside);
            const Session session = run(out, &nested);
            const bool refused =
                nested.refused == Refused::Always ||
                (nested.refused == Refused::WhilePopulationInUse && out.populationInUse);
            if (!refused) {
                EXPECT_EQ(session.errors, "");
                EXPECT_NE(session.outcome, without);
                continue;
            }
            EXPECT_EQ(session.outcome, without);
            EXPECT_EQ(std::count(session.errors.begin(), session.errors.end(), '\n'), 1);
            EXPECT_NE(session.errors.find(nested.name), std::string::npos) << session.errors;
            EXPECT_NE(session.errors.find(std::string(" inside ") + out.inside), std::string::npos)
                << session.errors;
        }
    }
}

}  // namespace
}  // namespace evoplug
