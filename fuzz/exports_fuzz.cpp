// Random sequences of export calls against the stand-in engine, in any order
// and with any arguments, while the script's side misbehaves: names missing,
// engine functions gone, entity creation failing, settings and record words
// at extreme values, and a "CalculateFitness" that leaves any EngineVar in
// "chromosom".
//
// The exports are linked in, not loaded, so their coverage guides the
// fuzzer.
// The library's globals live across inputs, as they live across a long
// level; the engine and its level therefore live for the whole run, and what
// an input removes is put back at the start of the next.
#include <fuzzer/FuzzedDataProvider.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "engine.h"
#include "exports/exports.h"
#include "genetic/genetic_globals.h"
#include "level.h"
#include "panel/script_bindings.h"

namespace {

using evoplug::host::Engine;
using evoplug::host::Level;

constexpr int kMaxIndividuals = 200;
constexpr int32_t kOne = 1024;

Engine* engine = nullptr;
Level* level = nullptr;
FuzzedDataProvider* input = nullptr;  // the current input, for the script's answers
int32_t scratch[32];                  // a particle or any other record an export is handed
int64_t clockSeconds = 0;

int64_t fuzzClock() { return clockSeconds; }

const std::string& pick(FuzzedDataProvider& in, const std::vector<std::string>& names) {
    return names[in.ConsumeIntegralInRange<size_t>(0, names.size() - 1)];
}

[[noreturn]] void fail(const std::string& what, const std::string& call) {
    std::fprintf(stderr, "invariant broken after %s: %s\n", call.c_str(), what.c_str());
    std::abort();
}

int32_t extremeVar(FuzzedDataProvider& in) {
    static const int32_t values[] = {INT32_MIN,  INT32_MIN + 1, -kOne,         -1,       0,
                                     1,          kOne - 1,      kOne,          kOne + 1, 2 * kOne,
                                     200 * kOne, 201 * kOne,    INT32_MAX - 1, INT32_MAX};
    if (in.ConsumeBool()) return in.PickValueInArray(values);
    return in.ConsumeIntegral<int32_t>();
}

// A settings value: whole numbers around the limits, or any raw EngineVar.
int32_t settingValue(FuzzedDataProvider& in) {
    static const int32_t whole[] = {INT32_MIN, -1,  0,   1,   2,    3,    4,
                                    100,       199, 200, 201, 1000, 1001, INT32_MAX};
    switch (in.ConsumeIntegralInRange(0, 2)) {
        case 0:
            return static_cast<int32_t>(static_cast<uint32_t>(in.PickValueInArray(whole)) << 10);
        case 1:
            return in.PickValueInArray(whole);
        default:
            return extremeVar(in);
    }
}

// ---- Arguments by parameter type ----------------------------------------

struct Context {
    FuzzedDataProvider& in;
    bool particle;  // the export takes a particle, not an entity
};

template <typename T>
T argument(Context& c);

template <>
int32_t argument<int32_t>(Context& c) {
    return extremeVar(c.in);
}

template <>
void* argument<void*>(Context& c) {
    auto entities = engine->entityRecords();
    switch (c.in.ConsumeIntegralInRange(0, 2)) {
        case 0:
            return nullptr;
        case 1:
            if (!c.particle && !entities.empty())
                return entities[c.in.ConsumeIntegralInRange<size_t>(0, entities.size() - 1)];
            [[fallthrough]];
        default:
            return scratch;
    }
}

template <>
int32_t* argument<int32_t*>(Context& c) {
    return c.in.ConsumeBool() ? nullptr : scratch;
}

using ClockFunction = int64_t (*)(void);
template <>
ClockFunction argument<ClockFunction>(Context& c) {
    clockSeconds = c.in.ConsumeIntegral<int64_t>();
    return c.in.ConsumeBool() ? nullptr : &fuzzClock;
}

template <typename R, typename... A>
void invoke(R (*fn)(A...), Context& c) {
    // Braced initialisation draws the arguments in order.
    std::tuple<A...> args{argument<A>(c)...};
    std::apply(fn, args);
}

struct Export {
    const char* name;
    std::function<void(Context&)> call;
};

const std::vector<Export>& exportTable() {
    static const std::vector<Export> table = {
#define EVOPLUG_EXPORT_ENTRY(result, name, params) {#name, [](Context& c) { invoke(&name, c); }},
        EVOPLUG_EXPORTS(EVOPLUG_EXPORT_ENTRY)
#undef EVOPLUG_EXPORT_ENTRY
    };
    return table;
}

const std::set<std::string> kParticleExports = {"DLLEffect_Explo", "DLLPart_Alphafade"};

// Every init_population appends the strategy names to the lists once more and
// builds groups over all of them, by design: a level calls it once at start.
// Within one fuzzing process it may run this often.
std::map<std::string, int> callBudget = {{"init_population", 8}};

// Every object the level defines that an input may take away.
const std::vector<std::string> kScriptNames = {"num_elem",
                                               "stringlength",
                                               "mutation",
                                               "crossover",
                                               "average",
                                               "minimal",
                                               "maximal",
                                               "smallarray",
                                               "bigarray",
                                               "chromosom",
                                               "big_iterator",
                                               "actionstring",
                                               "modelname",
                                               "Slot0",
                                               "Slot4",
                                               "Slot8",
                                               "Str0",
                                               "Str5",
                                               "Str8",
                                               "Controller",
                                               "selection",
                                               "crossbreed",
                                               "selStr",
                                               "crossStr",
                                               "EvolutionSettings",
                                               "RadioButton",
                                               "DialogPanel",
                                               "Feedmeback",
                                               "DialogText",
                                               "FeedbackText",
                                               "dragSwitch",
                                               "checkDragProcess",
                                               "camera",
                                               "player",
                                               "you",
                                               "mouse_pos.x",
                                               "mouse_pos.y",
                                               "time",
                                               "sky_speed",
                                               "cloud_speed",
                                               "trace_mode",
                                               "CalculateFitness",
                                               "beeps",
                                               "DLLPart_Alphafade",
                                               "ent_wander"};
const std::vector<std::string> kNumberNames = {
    "num_elem",     "stringlength", "mutation",    "crossover",   "chromosom",
    "big_iterator", "dragSwitch",   "mouse_pos.x", "mouse_pos.y", "time",
    "sky_speed",    "cloud_speed",  "trace_mode"};
const std::vector<std::string> kRecordNames = {
    "Slot0",       "Slot8",       "Controller", "selection", "EvolutionSettings",
    "RadioButton", "DialogPanel", "DialogText", "camera",    "player",
    "you"};
const std::vector<std::string> kEngineFunctions = {"ent_create", "ent_remove", "vec_rotate",
                                                   "trace"};

void setUp() {
    static Engine theEngine;
    static Level theLevel(theEngine);
    engine = &theEngine;
    level = &theLevel;
    engine->setCallLogging(false);
    // The script's verdict comes from the input while it lasts.
    engine->defineFunction("CalculateFitness", [](int32_t, int32_t, int32_t, int32_t) {
        // An input may have taken "chromosom" away; the script then has nowhere to write.
        if (!engine->has("chromosom")) return 0;
        int32_t* verdict = engine->var("chromosom");
        if (input != nullptr && input->remaining_bytes() > 0) *verdict = extremeVar(*input);
        return 0;
    });
}

// Puts back what the previous input took away.
void restoreLevel() {
    for (const auto& name : kScriptNames) engine->restore(name);
    for (const auto& name : kEngineFunctions) engine->enableEngineFunction(name);
    engine->setEntityCreationFails(false);
    engine->clearTraces();
}

// Entities of an old population that CreateGenotype could not remove (the
// script had no "ent_remove" when it was bound) stay in the level; the next
// input starts without them.
bool orphansPossible = false;

void removeOrphans() {
    using evoplug::genetic::currentPopulation;
    auto remove =
        reinterpret_cast<evoplug::abi::EntRemoveFn>(Engine::lookupFunctionEntry("ent_remove"));
    for (int32_t* entity : engine->entityRecords()) {
        bool owned = false;
        if (currentPopulation)
            for (int32_t i = 0; i < currentPopulation->popSize; ++i)
                owned = owned || currentPopulation->entities[static_cast<size_t>(i)] == entity;
        if (!owned) remove(entity);
    }
    orphansPossible = false;
}

void checkInvariants(const std::string& call, size_t entitiesBefore, bool mayChangeEntities) {
    using evoplug::genetic::currentPopulation;
    size_t live = engine->liveEntities();
    if (!mayChangeEntities && live != entitiesBefore)
        fail("entity count changed from " + std::to_string(entitiesBefore) + " to " +
                 std::to_string(live),
             call);
    if (engine->badRemovals() != 0) fail("removed an entity the engine does not have", call);
    size_t shown = 0;
    if (currentPopulation) {
        const auto& pop = *currentPopulation;
        if (pop.popSize < 1 || pop.popSize > kMaxIndividuals)
            fail("population size " + std::to_string(pop.popSize), call);
        for (int32_t i = 0; i < pop.popSize; ++i) {
            for (int32_t g : pop.individuals[static_cast<size_t>(i)].genes)
                if (g < 0 || g > 255) fail("gene " + std::to_string(g), call);
            void* entity = pop.entities[static_cast<size_t>(i)];
            if (entity == nullptr) continue;
            ++shown;
            if (engine->entity(entity) == nullptr) fail("an individual's entity is gone", call);
        }
    }
    // Without orphans the level shows exactly the population's entities.
    if (!orphansPossible && live != shown)
        fail(std::to_string(live) + " live entities for " + std::to_string(shown) + " individuals",
             call);
    for (int32_t* entity : engine->entityRecords()) {
        for (int w = 21; w <= 23; ++w) {
            if (entity[w] < 0 || entity[w] > 255 * kOne)
                fail("gene word " + std::to_string(w) + " = " + std::to_string(entity[w]), call);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::cout.setstate(std::ios::badbit);  // the progress report would dominate the run time
    setUp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    input = &in;
    restoreLevel();
    if (orphansPossible) removeOrphans();
    const auto& table = exportTable();
    const int exportCount = static_cast<int>(table.size());

    for (int step = 0; step < 48 && in.remaining_bytes() > 0; ++step) {
        int op = in.ConsumeIntegralInRange(0, exportCount + 5);
        std::string call;
        size_t before = engine->liveEntities();
        bool mayChangeEntities = false;
        if (op < exportCount) {
            const Export& e = table[static_cast<size_t>(op)];
            call = e.name;
            auto budget = callBudget.find(call);
            if (budget != callBudget.end() && budget->second-- <= 0) continue;
            mayChangeEntities = call == "CreateGenotype";
            if (mayChangeEntities && evoplug::panel::bindings.entRemove == nullptr)
                orphansPossible = true;
            Context c{in, kParticleExports.count(call) > 0};
            if (call == "A5_DLLAPI") {
                // The engine's record, or null (as if the engine had never attached).
                A5_DLLAPI(in.ConsumeIntegralInRange(0, 3) != 0 ? engine->interfaceRecord()
                                                               : nullptr);
            } else {
                e.call(c);
            }
        } else if (op == exportCount) {
            call = "remove";
            engine->remove(pick(in, kScriptNames));
        } else if (op == exportCount + 1) {
            call = "setting";
            const std::string& name = pick(in, kNumberNames);
            int32_t value = settingValue(in);
            if (engine->has(name)) *engine->var(name) = value;
        } else if (op == exportCount + 2) {
            call = "record word";
            const std::string& name = pick(in, kRecordNames);
            if (!engine->has(name)) continue;
            bool object = name == "camera" || name == "player" || name == "you";
            int words = object ? evoplug::abi::camera::kWords : evoplug::abi::panel::kWords;
            engine->var(name)[in.ConsumeIntegralInRange(0, words - 1)] = extremeVar(in);
        } else if (op == exportCount + 3) {
            call = "engine function";
            const std::string& name = pick(in, kEngineFunctions);
            in.ConsumeBool() ? engine->disableEngineFunction(name)
                             : engine->enableEngineFunction(name);
        } else if (op == exportCount + 4) {
            call = "entity creation";
            engine->setEntityCreationFails(in.ConsumeBool());
        } else {
            call = "scratch";
            scratch[in.ConsumeIntegralInRange(0, 31)] = extremeVar(in);
        }
        checkInvariants(call, before, mayChangeEntities);
    }
    input = nullptr;
    return 0;
}
