// Random sequences of export calls against the stand-in engine, in any order
// and with any arguments, while the script's side misbehaves: names missing
// or of another kind, engine functions gone, entity creation failing,
// settings and record words at extreme values, a "CalculateFitness" that
// leaves any EngineVar in "chromosom", exports called back from inside the
// library's calls of the script and the engine, and another engine's record.
// After every step the population and the level's entities must agree.
//
// The exports are linked in, not loaded, so their coverage guides the
// fuzzer; it reaches them only through the public header. The plug-in's
// state lives across inputs, as across a long level; so do the engine and its
// level, and what an input changes is put back at the start of the next.
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
#include "evoplug.h"
#include "fuzz_input.h"
#include "level.h"

namespace {

using evoplug::host::Engine;
using evoplug::host::Level;
using evoplug::host::Word;

constexpr int32_t kOne = EVOPLUG_ONE;

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

// The level's names by their kind, as the standard level defines them.
std::vector<std::string> kNumberNames, kRecordNames, kScriptNames;
#define EVOPLUG_FUZZ_ENGINE_FUNCTION(name, result, params) #name,
const std::vector<std::string> kEngineFunctions = {
    EVOPLUG_ENGINE_FUNCTIONS(EVOPLUG_FUZZ_ENGINE_FUNCTION)};
#undef EVOPLUG_FUZZ_ENGINE_FUNCTION

void collectNames() {
    for (const auto& [name, type] : engine->objects()) {
        kScriptNames.push_back(name);
        if (type == EVOPLUG_TYPE_NUMBER || type == EVOPLUG_TYPE_ARRAY) kNumberNames.push_back(name);
        if (type == EVOPLUG_TYPE_PANEL || type == EVOPLUG_TYPE_OBJECT) kRecordNames.push_back(name);
    }
}

// What every name held when the level was defined: its type code and data
// words. The objects themselves stay with the engine, so putting these words
// back under the name restores the object, storage and all.
std::map<std::string, std::array<Word, EVOPLUG_OBJECT_WORDS>> originals;

const Word* objectWords(const std::string& name) {
    return static_cast<const Word*>(Engine::lookupEntry(name.c_str()));
}

// The storage of a number variable or array, or of a record of that many
// words; null when the name holds anything else now.
int32_t* storage(const std::string& name, std::initializer_list<int32_t> types) {
    const Word* words = objectWords(name);
    if (words == nullptr) return nullptr;
    const auto type = static_cast<int32_t>(words[EVOPLUG_OBJECT_TYPE]);
    for (int32_t t : types)
        if (t == type) {
            const bool second = type == EVOPLUG_TYPE_STRING || type == EVOPLUG_TYPE_PANEL;
            return reinterpret_cast<int32_t*>(
                words[second ? EVOPLUG_OBJECT_DATA1 : EVOPLUG_OBJECT_DATA0]);
        }
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
    {"ent_create", "CreateGenotype"},
    {"ent_remove", "CreateGenotype"},
    {"trace", "DistAhead"},
    {"vec_rotate", "DistAhead"},
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
int32_t otherNumber[2], otherPanel[EVOPLUG_PANEL_WORDS], otherObject[EVOPLUG_CAMERA_WORDS];
char otherText[] = "ent_wander";
Word otherString[EVOPLUG_STRING_WORDS] = {0, 0, 0, reinterpret_cast<Word>(otherText)};
int32_t otherFunction = 0;

void redefine(FuzzInput& in, const std::string& name) {
    const bool number =
        std::find(kNumberNames.begin(), kNumberNames.end(), name) != kNumberNames.end();
    const auto at = [](void* storage) { return reinterpret_cast<Word>(storage); };
    switch (in.ConsumeIntegralInRange(number ? 2 : 0, 6)) {
        case 0:
            otherNumber[0] = extremeVar(in);
            return engine->retype(name, EVOPLUG_TYPE_NUMBER, at(otherNumber), 0);
        case 1:
            return engine->retype(name, EVOPLUG_TYPE_ARRAY, at(otherNumber), 0);
        case 2:
            return engine->retype(name, EVOPLUG_TYPE_STRING, 0, at(otherString));
        case 3:
            return engine->retype(name, EVOPLUG_TYPE_PANEL, 0, at(otherPanel));
        case 4:
            return engine->retype(name, EVOPLUG_TYPE_OBJECT, at(otherObject), 0);
        case 5:
            return engine->retype(name, EVOPLUG_TYPE_FUNCTION, static_cast<Word>(otherFunction), 0);
        default:  // a type code the library has no use for
            return engine->retype(name, 7, at(otherPanel), at(otherPanel));
    }
}

void setRecordWord(Context& c) {
    const std::string& name = pick(c.in, kRecordNames);
    if (int32_t* panel = storage(name, {EVOPLUG_TYPE_PANEL}))
        panel[c.in.ConsumeIntegralInRange(0, EVOPLUG_PANEL_WORDS - 1)] = extremeVar(c.in);
    else if (int32_t* object = storage(name, {EVOPLUG_TYPE_OBJECT}))
        object[c.in.ConsumeIntegralInRange(0, EVOPLUG_CAMERA_WORDS - 1)] = extremeVar(c.in);
}

void setUp() {
    static Engine theEngine;
    static Level theLevel(theEngine);
    level = &theLevel;
    engine = &theEngine;
    engine->setCallLogging(false);
    collectNames();
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
        std::copy_n(objectWords(name), EVOPLUG_OBJECT_WORDS, originals[name].begin());
}

// Puts back what the previous input took away or redefined, in place.
void restoreLevel() {
    for (const auto& [name, original] : originals) {
        if (objectWords(name) == nullptr) engine->restore(name);
        const Word* now = objectWords(name);
        if (now != nullptr && std::equal(now, now + EVOPLUG_OBJECT_WORDS, original.begin()))
            continue;
        engine->retype(name, static_cast<int32_t>(original[EVOPLUG_OBJECT_TYPE]), original[0],
                       original[1]);
    }
    // The settings too, in the level's storage: once an input left them out
    // of range, no population could be built again.
    const auto& settings = level->settings();
    for (const auto& [name, value] : {std::pair{"num_elem", settings.individuals},
                                      {"stringlength", settings.genes},
                                      {"mutation", settings.mutation},
                                      {"crossover", settings.crossover}})
        *reinterpret_cast<int32_t*>(originals[name][EVOPLUG_OBJECT_DATA0]) =
            evoplug::host::fromInt(value);
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

// The library's entities are those UpdateEntities writes: each live entity is
// marked with a gene no individual has, and the marks left show the others.
// Answers the entities written; `owned` tells, per live entity, whether it
// was one of them.
constexpr int32_t kNoGene = -1;
int32_t markOwned(const std::vector<int32_t*>& live, std::vector<bool>& owned) {
    for (int32_t* entity : live) entity[EVOPLUG_ENTITY_GENE0] = kNoGene;
    const int32_t written = evoplug::host::toInt(UpdateEntities());
    owned.clear();
    for (const int32_t* entity : live) owned.push_back(entity[EVOPLUG_ENTITY_GENE0] != kNoGene);
    return written;
}

void removeOrphans() {
    auto remove =
        reinterpret_cast<evoplug_ent_remove_fn>(Engine::lookupFunctionEntry("ent_remove"));
    const std::vector<int32_t*> live = engine->entityRecords();
    std::vector<bool> owned;
    markOwned(live, owned);
    for (size_t i = 0; i < live.size(); ++i)
        if (!owned[i]) remove(live[i]);
    orphansPossible = false;
}

void checkInvariants(const std::string& call, size_t entitiesBefore, bool mayChangeEntities) {
    const auto check = [&](bool holds, const std::string& what) {
        if (!holds) fail(what, call);
    };
    const std::vector<int32_t*> live = engine->entityRecords();
    check(mayChangeEntities || live.size() == entitiesBefore, "the entity count changed");
    check(engine->badRemovals() == 0, "removed an entity the engine does not have");
    std::vector<bool> owned;
    const int32_t written = markOwned(live, owned);
    const auto shown = static_cast<int32_t>(std::count(owned.begin(), owned.end(), true));
    check(written <= EVOPLUG_MAX_INDIVIDUALS, "population size");
    check(written == shown, "an individual's entity is gone");
    // Without orphans the level shows exactly the population's entities.
    check(orphansPossible || live.size() == static_cast<size_t>(shown),
          "live entities other than the individuals'");
    for (size_t i = 0; i < live.size(); ++i) {
        if (!owned[i]) continue;
        for (int w = EVOPLUG_ENTITY_GENE2; w <= EVOPLUG_ENTITY_GENE0; ++w)
            check(live[i][w] >= 0 && live[i][w] <= EVOPLUG_HIGHEST_GENE * kOne,
                  "a gene word out of range");
    }
}

// How many entities the library shows now (written back as they are).
size_t shownEntities() {
    std::vector<bool> owned;
    const std::vector<int32_t*> live = engine->entityRecords();
    return static_cast<size_t>(markOwned(live, owned));
}

// What the current step may do to the level's entities.
bool entitiesMayChange = false;

// The engine's record, null (as if it never attached), or a copy of the
// record elsewhere: to the library another engine's, so it forgets the
// entities it showed, leaving them in the level.
Word elsewhere[2][EVOPLUG_HOST_WORDS];
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
    // A new population leaves the old entities in the level when the library
    // had no "ent_remove" to take them away; a reset leaves them all.
    const bool creates = call == "CreateGenotype";
    entitiesMayChange = entitiesMayChange || creates;
    const std::vector<int32_t*> before =
        creates ? engine->entityRecords() : std::vector<int32_t*>();
    const bool showed = call == "ResetPluginState" && shownEntities() > 0;
    Context c{in, kParticleExports.count(call) > 0};
    if (call == "A5_DLLAPI")
        attachSome(in);
    else
        op.call(c);
    if (creates) {
        const std::vector<int32_t*> live = engine->entityRecords();
        std::vector<bool> owned;
        markOwned(live, owned);
        for (size_t i = 0; i < live.size(); ++i)
            if (!owned[i] && std::find(before.begin(), before.end(), live[i]) != before.end())
                orphansPossible = true;
    }
    if (showed && shownEntities() == 0) orphansPossible = true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The progress report and the wiring check's lines would dominate the run time.
    std::cout.setstate(std::ios::badbit);
    std::cerr.setstate(std::ios::badbit);
    setUp();
    for (auto& record : elsewhere)
        std::copy_n(static_cast<const Word*>(engine->interfaceRecord()), EVOPLUG_HOST_WORDS,
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
