// Random sequences of export calls against the stand-in engine, in any order
// and with any arguments, while the script's side misbehaves: names missing
// or of another kind, engine functions gone, entity creation failing,
// settings and record words at extreme values, a "CalculateFitness" that
// leaves any EngineVar in "chromosom", exports called back from inside the
// library's calls of the script and the engine, and another engine's record.
// After every step the population and the level's entities must agree.
//
// The exports are linked in, not loaded, so their coverage guides the
// fuzzer. The plug-in's state lives across inputs, as across a long level;
// so do the engine and its level, and what an input changes is put back at
// the start of the next.
#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "engine.h"
#include "exports/exports.h"
#include "fuzz_input.h"
#include "level.h"
#include "plugin/plugin_state.h"

namespace {

using evoplug::genetic::kMaxIndividuals;
using evoplug::host::Engine;
using evoplug::host::Level;
namespace abi = evoplug::abi;

constexpr int32_t kOne = 1024;

Engine* engine = nullptr;
Level* level = nullptr;
FuzzInput* input = nullptr;  // the current input, for the script's answers
int32_t scratch[32];         // a particle or any other record an export is handed
int64_t clockSeconds = 0;

int64_t fuzzClock() { return clockSeconds; }

const std::string& pick(FuzzInput& in, const std::vector<std::string>& names) {
    return names[in.ConsumeIntegralInRange<size_t>(0, names.size() - 1)];
}

[[noreturn]] void fail(const std::string& what, const std::string& call) {
    std::fprintf(stderr, "invariant broken after %s: %s\n", call.c_str(), what.c_str());
    std::abort();
}

int32_t extremeVar(FuzzInput& in) {
    // Around every limit the settings have, as whole numbers or raw.
    static const int32_t values[] = {
        INT32_MIN,   -kOne,         -1,         0,          1,
        kOne - 1,    kOne,          kOne + 1,   2 * kOne,   3 * kOne,
        4 * kOne,    199 * kOne,    200 * kOne, 201 * kOne, 1000 * kOne,
        1001 * kOne, INT32_MAX - 1, INT32_MAX};
    if (in.ConsumeBool()) return in.PickValueInArray(values);
    return in.ConsumeIntegral<int32_t>();
}

// The library's names by what they must be; "ent_wander" is the level's
// action function, named by "actionstring".
std::vector<std::string> namesOf(std::initializer_list<evoplug::script::Need> needs) {
    std::vector<std::string> names;
    for (const auto& info : evoplug::script::kNames)
        for (auto need : needs)
            if (info.need == need) names.emplace_back(info.text);
    return names;
}
using Need = evoplug::script::Need;
const std::vector<std::string> kNumberNames = namesOf({Need::Number, Need::Array});
const std::vector<std::string> kRecordNames = namesOf({Need::Panel, Need::Object});
const std::vector<std::string> kEngineFunctions = namesOf({Need::EngineFunction});
const std::vector<std::string> kScriptNames = [] {
    auto all = namesOf(
        {Need::Number, Need::Array, Need::String, Need::Panel, Need::Object, Need::Function});
    all.emplace_back("ent_wander");
    return all;
}();

// What every name held when the level was defined: its type code and data
// words. The objects themselves stay with the engine, so putting these words
// back under the name restores the object, storage and all.
std::map<std::string, std::array<abi::Word, abi::object::kWords>> originals;

const abi::Word* objectWords(const std::string& name) {
    return static_cast<const abi::Word*>(Engine::lookupEntry(name.c_str()));
}

// The storage of a number variable or array, or of a record of that many
// words; null when the name holds anything else now.
int32_t* storage(const std::string& name, std::initializer_list<int32_t> types) {
    const abi::Word* words = objectWords(name);
    if (words == nullptr) return nullptr;
    const auto type = static_cast<int32_t>(words[abi::object::kType]);
    for (int32_t t : types)
        if (t == type) return reinterpret_cast<int32_t*>(words[abi::dataWordFor(type)]);
    return nullptr;
}

// ---- Arguments by parameter type ----------------------------------------

struct Context {
    FuzzInput& in;
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

struct Operation {
    const char* name;
    std::function<void(Context&)> call;
};

void setRecordWord(Context& c);
void redefine(FuzzInput& in, const std::string& name);
void callOut(FuzzInput& in);

// Every export, then what the script's side may do between two calls.
const std::vector<Operation>& operations() {
    static const std::vector<Operation> table = {
#define EVOPLUG_EXPORT_ENTRY(result, name, params) {#name, [](Context& c) { invoke(&name, c); }},
        EVOPLUG_EXPORTS(EVOPLUG_EXPORT_ENTRY)
#undef EVOPLUG_EXPORT_ENTRY
            {"remove", [](Context& c) { engine->remove(pick(c.in, kScriptNames)); }},
        {"setting",
         [](Context& c) {
             const std::string& name = pick(c.in, kNumberNames);
             const int32_t value = extremeVar(c.in);
             if (int32_t* var = storage(name, {1, 2})) *var = value;
         }},
        {"record word", setRecordWord},
        {"engine function",
         [](Context& c) {
             const std::string& name = pick(c.in, kEngineFunctions);
             c.in.ConsumeBool() ? engine->disableEngineFunction(name)
                                : engine->enableEngineFunction(name);
         }},
        {"entity creation", [](Context& c) { engine->setEntityCreationFails(c.in.ConsumeBool()); }},
        {"redefine", [](Context& c) { redefine(c.in, pick(c.in, kScriptNames)); }},
        {"scratch",
         [](Context& c) { scratch[c.in.ConsumeIntegralInRange(0, 31)] = extremeVar(c.in); }},
        {"call-out", [](Context& c) { callOut(c.in); }},
    };
    return table;
}

#define EVOPLUG_COUNT_EXPORT(result, name, params) +1
constexpr size_t kExportCount = 0 EVOPLUG_EXPORTS(EVOPLUG_COUNT_EXPORT);
#undef EVOPLUG_COUNT_EXPORT

// Every call the library makes into the script or the engine, by the name the
// engine reports it under, and an export that makes it.
const std::vector<std::pair<std::string, std::string>> kCallOuts = {
    {"CalculateFitness", "CreateGenotype"},
    {"CalculateFitness", "evolution"},
    {"CalculateFitness", "MyFitness"},
    {"checkDragProcess", "MoveMyPanel"},
    {"beeps", "WDLBeep"},
    {abi::kEntCreateName, "CreateGenotype"},
    {abi::kEntRemoveName, "CreateGenotype"},
    {abi::kTraceName, "DistAhead"},
    {abi::kVecRotateName, "DistAhead"},
    {"lock", "PaintScreenWhite"},
    {"unlock", "PaintScreenWhite"}};

// The first time the library makes this call, the script or the engine calls
// this export back from inside it.
struct {
    std::string callOut;
    const Operation* call = nullptr;
} armed;

// Those that free or replace state, and the designed nested generation, are
// picked half the time: their refusals are what a call-back puts at stake.
const std::vector<std::string> kReplacing = {"CreateGenotype", "ResetPluginState", "A5_DLLAPI",
                                             "evolution"};

const Operation& operationNamed(const std::string& name) {
    const auto& table = operations();
    return *std::find_if(table.begin(), table.end(),
                         [&](const Operation& op) { return op.name == name; });
}

void perform(const Operation& op, FuzzInput& in);

void callOut(FuzzInput& in) {
    const auto& [call, caller] =
        kCallOuts[in.ConsumeIntegralInRange<size_t>(0, kCallOuts.size() - 1)];
    armed.callOut = call;
    armed.call = in.ConsumeBool()
                     ? &operationNamed(pick(in, kReplacing))
                     : &operations()[in.ConsumeIntegralInRange<size_t>(0, kExportCount - 1)];
    perform(operationNamed(caller), in);
    armed.call = nullptr;
}

const std::set<std::string> kParticleExports = {"DLLEffect_Explo", "DLLPart_Alphafade"};

// Every init_population appends the strategy names to the lists once more and
// builds groups over all of them, by design: a level calls it once at start.
// Within one fuzzing process it may run this often.
std::map<std::string, int> callBudget = {{"init_population", 8}};

// Redefines a name as an object of another kind than the library needs. A
// number or array stays out of the numbers: their size cannot be told, so a
// script that declares one too short is beyond what the library can see.
// The other kinds' storage is the fuzzer's own, so no input allocates.
int32_t otherNumber[2], otherPanel[abi::panel::kWords], otherObject[abi::camera::kWords];
char otherText[] = "ent_wander";
abi::Word otherString[abi::string::kWords] = {0, 0, 0, reinterpret_cast<abi::Word>(otherText)};
int32_t otherFunction = 0;

void redefine(FuzzInput& in, const std::string& name) {
    using abi::Word;
    namespace type = abi::type;
    const bool number =
        std::find(kNumberNames.begin(), kNumberNames.end(), name) != kNumberNames.end();
    const auto at = [](void* storage) { return reinterpret_cast<Word>(storage); };
    switch (in.ConsumeIntegralInRange(number ? 2 : 0, 6)) {
        case 0:
            otherNumber[0] = extremeVar(in);
            return engine->retype(name, type::kNumber, at(otherNumber), 0);
        case 1:
            return engine->retype(name, type::kArray, at(otherNumber), 0);
        case 2:
            return engine->retype(name, type::kString, 0, at(otherString));
        case 3:
            return engine->retype(name, type::kPanel, 0, at(otherPanel));
        case 4:
            return engine->retype(name, type::kObject, at(otherObject), 0);
        case 5:
            return engine->retype(name, type::kFunction, static_cast<Word>(otherFunction), 0);
        default:  // a type code the library has no use for
            return engine->retype(name, 7, at(otherPanel), at(otherPanel));
    }
}

void setRecordWord(Context& c) {
    const std::string& name = pick(c.in, kRecordNames);
    if (int32_t* panel = storage(name, {abi::type::kPanel}))
        panel[c.in.ConsumeIntegralInRange(0, abi::panel::kWords - 1)] = extremeVar(c.in);
    else if (int32_t* object = storage(name, {abi::type::kObject}))
        object[c.in.ConsumeIntegralInRange(0, abi::camera::kWords - 1)] = extremeVar(c.in);
}

void setUp() {
    static Engine theEngine;
    static Level theLevel(theEngine);
    level = &theLevel;
    engine = &theEngine;
    engine->setCallLogging(false);
    // The script's verdict comes from the input while it lasts.
    engine->defineFunction("CalculateFitness", [](int32_t, int32_t, int32_t, int32_t) {
        // An input may have taken "chromosom" away or made it something else;
        // the script then has nowhere to write.
        int32_t* verdict = storage("chromosom", {1, 2});
        if (verdict != nullptr && input != nullptr && input->remaining_bytes() > 0)
            *verdict = extremeVar(*input);
        return 0;
    });
    otherFunction =
        engine->defineFunction("fuzz_other", [](int32_t, int32_t, int32_t, int32_t) { return 0; });
    for (const auto& name : kScriptNames)
        std::copy_n(objectWords(name), abi::object::kWords, originals[name].begin());
}

// Puts back what the previous input took away or redefined, in place.
void restoreLevel() {
    for (const auto& [name, original] : originals) {
        if (objectWords(name) == nullptr) engine->restore(name);
        const abi::Word* now = objectWords(name);
        if (now != nullptr && std::equal(now, now + abi::object::kWords, original.begin()))
            continue;
        engine->retype(name, static_cast<int32_t>(original[abi::object::kType]), original[0],
                       original[1]);
    }
    // The settings too, in the level's storage: once an input left them out
    // of range, no population could be built again.
    const auto& settings = level->settings();
    for (const auto& [name, value] : {std::pair{"num_elem", settings.individuals},
                                      {"stringlength", settings.genes},
                                      {"mutation", settings.mutation},
                                      {"crossover", settings.crossover}})
        *reinterpret_cast<int32_t*>(originals[name][abi::object::kData0]) = abi::fromInt(value);
    for (const auto& name : kEngineFunctions) engine->enableEngineFunction(name);
    engine->setEntityCreationFails(false);
    engine->clearTraces();
    armed.call = nullptr;
}

// Entities of an old population that CreateGenotype could not remove (the
// script had no "ent_remove" when it was bound), or that a reset or another
// engine's record made the library forget, stay in the level; the next input
// starts without them.
bool orphansPossible = false;

const evoplug::genetic::Population* currentPopulation() {
    return evoplug::state().evolution.population();
}

void removeOrphans() {
    auto remove = reinterpret_cast<abi::EntRemoveFn>(Engine::lookupFunctionEntry("ent_remove"));
    for (int32_t* entity : engine->entityRecords()) {
        bool owned = false;
        if (const auto* pop = currentPopulation())
            for (int32_t i = 0; i < pop->popSize; ++i)
                owned = owned || evoplug::state().evolution.entity(i) == entity;
        if (!owned) remove(entity);
    }
    orphansPossible = false;
}

void checkInvariants(const std::string& call, size_t entitiesBefore, bool mayChangeEntities) {
    const auto check = [&](bool holds, const std::string& what) {
        if (!holds) fail(what, call);
    };
    const size_t live = engine->liveEntities();
    check(mayChangeEntities || live == entitiesBefore, "the entity count changed");
    check(engine->badRemovals() == 0, "removed an entity the engine does not have");
    size_t shown = 0;
    if (const auto* pop = currentPopulation()) {
        check(pop->popSize >= 1 && pop->popSize <= kMaxIndividuals, "population size");
        for (int32_t i = 0; i < pop->popSize; ++i) {
            for (int32_t g : pop->at(i).genes) check(g >= 0 && g <= 254, "a gene out of range");
            if (void* entity = evoplug::state().evolution.entity(i)) {
                ++shown;
                check(engine->entity(entity) != nullptr, "an individual's entity is gone");
            }
        }
    }
    // Without orphans the level shows exactly the population's entities.
    check(orphansPossible || live == shown, "live entities other than the individuals'");
    for (int32_t* entity : engine->entityRecords())
        for (int w = abi::entity::kGene2; w <= abi::entity::kGene0; ++w)
            check(entity[w] >= 0 && entity[w] <= 254 * kOne, "a gene word out of range");
}

// What the current step may do to the level's entities.
bool entitiesMayChange = false;

// The engine's record, null (as if it never attached), or a copy of the
// record elsewhere: to the library another engine's, so it forgets the
// entities it showed, leaving them in the level.
abi::Word elsewhere[2][abi::host::kWords];
const void* lastRecord = nullptr;

void attachSome(FuzzInput& in) {
    void* const records[] = {engine->interfaceRecord(),
                             engine->interfaceRecord(),
                             engine->interfaceRecord(),
                             nullptr,
                             elsewhere[0],
                             elsewhere[1]};
    void* record = in.PickValueInArray(records);
    if (A5_DLLAPI(record) != 511 || record == nullptr) return;
    if (record != lastRecord) orphansPossible = true;
    lastRecord = record;
}

// Makes one call, at the top or from inside a call-out, and notes what it may
// do to the entities.
void perform(const Operation& op, FuzzInput& in) {
    const std::string call = op.name;
    auto budget = callBudget.find(call);
    if (budget != callBudget.end() && budget->second-- <= 0) return;
    // A new population without "ent_remove" leaves the old entities in the
    // level, as does a reset.
    if (call == "CreateGenotype") {
        entitiesMayChange = true;
        if (evoplug::state().script.engineFunction<void*>(evoplug::script::EntRemove) == nullptr)
            orphansPossible = true;
    }
    const bool populated = currentPopulation() != nullptr;
    Context c{in, kParticleExports.count(call) > 0};
    if (call == "A5_DLLAPI")
        attachSome(in);
    else
        op.call(c);
    if (call == "ResetPluginState" && populated && currentPopulation() == nullptr)
        orphansPossible = true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The progress report and the wiring check's lines would dominate the run time.
    std::cout.setstate(std::ios::badbit);
    std::cerr.setstate(std::ios::badbit);
    setUp();
    for (auto& record : elsewhere)
        std::copy_n(static_cast<const abi::Word*>(engine->interfaceRecord()), abi::host::kWords,
                    record);
    engine->onCall = [](std::string_view call) {
        if (armed.call == nullptr || input == nullptr || call != armed.callOut) return;
        const Operation& op = *armed.call;
        armed.call = nullptr;
        perform(op, *input);
    };
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    restoreLevel();
    if (orphansPossible) removeOrphans();
    input = &in;
    const auto& table = operations();
    for (int step = 0; step < 48 && in.remaining_bytes() > 0; ++step) {
        const Operation& op = table[in.ConsumeIntegralInRange<size_t>(0, table.size() - 1)];
        const size_t before = engine->liveEntities();
        entitiesMayChange = false;
        perform(op, in);
        checkInvariants(op.name, before, entitiesMayChange);
    }
    input = nullptr;
    return 0;
}
