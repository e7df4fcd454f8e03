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
#include "support/exports_level.h"

namespace evoplug {
namespace {

struct CallOut {
    const char* name;    // as the engine reports it
    const char* inside;  // the export that makes it
    std::function<void()> call;
    const char* refuses;  // the nested exports refused there
};

const CallOut kCallOuts[] = {
    {"CalculateFitness", "CreateGenotype", [] { CreateGenotype(); },
     "CreateGenotype ResetPluginState A5_DLLAPI"},
    {"CalculateFitness", "evolution", [] { evolution(0, 0); },
     "CreateGenotype ResetPluginState A5_DLLAPI"},
    {"CalculateFitness", "MyFitness", [] { MyFitness(); }, "ResetPluginState A5_DLLAPI"},
    {"checkDragProcess", "MoveMyPanel", [] { MoveMyPanel(); }, "ResetPluginState A5_DLLAPI"},
    {"beeps", "WDLBeep", [] { WDLBeep(0); }, "ResetPluginState A5_DLLAPI"},
    {"ent_create", "CreateGenotype", [] { CreateGenotype(); },
     "CreateGenotype ResetPluginState A5_DLLAPI"},
    {"ent_remove", "CreateGenotype", [] { CreateGenotype(); },
     "CreateGenotype ResetPluginState A5_DLLAPI"},
    {"vec_rotate", "DistAhead", [] { DistAhead(state().evolution.entity(0).raw()); },
     "CreateGenotype ResetPluginState A5_DLLAPI"},
    {"trace", "DistAhead", [] { DistAhead(state().evolution.entity(0).raw()); },
     "CreateGenotype ResetPluginState A5_DLLAPI"},
    {"lock", "PaintScreenWhite", [] { PaintScreenWhite(); }, "ResetPluginState A5_DLLAPI"},
    {"unlock", "PaintScreenWhite", [] { PaintScreenWhite(); }, "ResetPluginState A5_DLLAPI"},
};

// Each is handed a copy of the engine's record at another address: to the
// library, another engine's record.
const std::pair<const char*, std::function<int32_t(void*)>> kNested[] = {
    {"CreateGenotype", [](void*) { return CreateGenotype(); }},
    {"ResetPluginState",
     [](void*) {
         ResetPluginState();
         return 0;
     }},
    {"A5_DLLAPI", [](void* other) { return A5_DLLAPI(other); }},
    {"evolution", [](void*) { return evolution(0, 0); }},
};

// The population and the level's entities agree, every gene in range.
void expectWhole(const host::Engine& engine) {
    const genetic::Population* pop = state().evolution.population();
    ASSERT_NE(pop, nullptr);
    EXPECT_EQ(engine.liveEntities(), static_cast<size_t>(pop->popSize));
    EXPECT_EQ(engine.badRemovals(), 0u);
    for (int32_t i = 0; i < pop->popSize; ++i) {
        EXPECT_NE(engine.entity(state().evolution.entity(i).raw()), nullptr) << i;
        for (int32_t gene : pop->at(i).genes) EXPECT_LE(unsigned(gene), 254u);
    }
    for (const int32_t* e : engine.entityRecords())
        for (int w = abi::entity::kGene2; w <= abi::entity::kGene0; ++w)
            EXPECT_LE(unsigned(e[w]), 254u * 1024);
}

struct Session {
    std::string errors;   // of the export that makes the call-out
    int32_t answer = -1;  // of the nested export
    std::string outcome;  // the report and entities after a further generation and population
};

// The started level; then the call-out's export, which calls `nested` the
// first time it makes the call-out.
Session run(const CallOut& out, const std::function<int32_t(void*)>& nested) {
    ResetPluginState();
    host::Engine engine;
    host::Level level(engine);
    std::ostringstream report;
    state().report.redirect(&report);
    testing::startUpWithPopulation(engine);
    abi::Word elsewhere[abi::host::kWords];
    std::copy_n(static_cast<const abi::Word*>(engine.interfaceRecord()), abi::host::kWords,
                elsewhere);
    Session session;
    bool made = false;
    engine.onCall = [&](std::string_view call) {
        if (!nested || made || call != out.name) return;
        made = true;
        session.answer = nested(elsewhere);
    };
    // Taken from the stream, not the descriptor, where a sanitizer reports.
    std::ostringstream errors;
    std::streambuf* const stderrBuffer = std::cerr.rdbuf(errors.rdbuf());
    out.call();
    std::cerr.rdbuf(stderrBuffer);
    engine.onCall = nullptr;
    session.errors = errors.str();
    expectWhole(engine);

    evolution(0, 0);
    CreateGenotype();
    session.outcome = report.str() + std::to_string(engine.entitiesCreated()) + ' ' +
                      std::to_string(engine.entitiesRemoved());
    ResetPluginState();
    return session;
}

TEST(CallOut, AnExportCalledBackIsRefusedOnlyWhereItWouldTakeAwayWhatTheCallerUses) {
    for (const CallOut& out : kCallOuts) {
        const std::string without = run(out, nullptr).outcome;
        for (const auto& [name, call] : kNested) {
            SCOPED_TRACE(std::string(name) + " from " + out.name + " in " + out.inside);
            const Session session = run(out, call);
            EXPECT_EQ(session.answer, 0) << "made and answered";
            if (std::string(out.refuses).find(name) == std::string::npos) {
                EXPECT_EQ(session.errors, "");
                EXPECT_NE(session.outcome, without);
                continue;
            }
            EXPECT_EQ(session.outcome, without);
            EXPECT_EQ(std::count(session.errors.begin(), session.errors.end(), '\n'), 1);
            EXPECT_NE(session.errors.find(name), std::string::npos) << session.errors;
            EXPECT_NE(session.errors.find(std::string(" inside ") + out.inside), std::string::npos)
                << session.errors;
        }
    }
}

}  // namespace
}  // namespace evoplug
