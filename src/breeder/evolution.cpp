#include "breeder/evolution.h"

#include <cmath>
#include <limits>

#include "genetic/generation.h"

namespace evoplug::breeder {
namespace {

using genetic::Context;
using genetic::Genes;
using genetic::kGenes;

// Where entities are placed: x and y in -400 .. 399, z in -15 .. 74.
constexpr int32_t kFloorSize = 800;
constexpr int32_t kFloorHalf = 400;
constexpr int32_t kHeightRange = 90;
constexpr int32_t kHeightOffset = -45 + 30;

// The setting's value when it lies in low .. high; otherwise says why no
// population is built.
bool readSetting(const script::Bindings& script, runtime::Report& report, script::Name name,
                 int32_t low, int32_t high, int32_t& value) {
    const int32_t* var = script.number(name);
    if (var != nullptr) {
        value = abi::toInt(*var);
        if (value >= low && value <= high) return true;
    }
    auto line = report.line();
    line << "Fehler: " << script::nameOf(name);
    if (var == nullptr) {
        line << " ist nicht gebunden; keine neue Population\n";
        return false;
    }
    line << " ist " << value;
    if (low == high)
        line << ", erlaubt ist nur " << low;
    else
        line << ", erlaubt sind " << low << " bis " << high;
    line << "; keine neue Population\n";
    return false;
}

void showGenes(bridge::EntityRecord entity, const Genes& genes) {
    entity.gene0() = abi::fromInt(genes[0]);
    entity.gene1() = abi::fromInt(genes[1]);
    entity.gene2() = abi::fromInt(genes[2]);
}

int32_t settingOrZero(const script::Bindings& script, script::Name name) {
    const int32_t* var = script.number(name);
    return var != nullptr ? abi::toInt(*var) : 0;
}

}  // namespace

void Evolution::bindAction(const Context& context) {
    context.random.reseed(context.clock);
    const char* name = script_.text(script::ActionString);
    actionFunction_ = name != nullptr ? engine_.lookupScriptFunction(name) : 0;
}

void Evolution::createPopulation(const Context& context, Choice choice) {
    genetic::PopulationConfig config;
    int32_t genes = 0;
    if (!readSetting(script_, context.report, script::NumElem, 1, genetic::kMaxIndividuals,
                     config.popSize) ||
        !readSetting(script_, context.report, script::StringLength, kGenes, kGenes, genes))
        return;
    config.mutationRate = settingOrZero(script_, script::Mutation);
    config.crossoverCount = settingOrZero(script_, script::Crossover);
    config.selection = choice.selection;
    config.crossbreed = choice.crossbreed;
    // Built before the old one goes, so that a failure leaves it in place.
    context.random.reseed(context.clock);
    auto fresh = std::make_unique<genetic::Population>(config, context,
                                                       genetic::Evaluator(judgeByScript, this));
    fresh->printStatistics();
    removeEntities();
    population_ = std::move(fresh);
    createEntities(context);
}

float Evolution::judgeByScript(const void* self, const Genes& genes, int32_t index) {
    const auto& evolution = *static_cast<const Evolution*>(self);
    script::Bindings& script = evolution.script_;
    int32_t* small = script.number(script::SmallArray);
    const int32_t* verdict = script.number(script::Chromosom);
    const int32_t judge = script.handle(script::CalculateFitness);
    if (small != nullptr)
        for (size_t g = 0; g < kGenes; ++g) small[g] = abi::fromInt(genes[g]);
    if (judge != 0 && small != nullptr && verdict != nullptr)
        evolution.engine_.callScriptFunction(judge, abi::fromInt(index), 0, 0, 0);
    return verdict != nullptr ? static_cast<float>(static_cast<double>(*verdict) / abi::kOne)
                              : 0.0f;
}

void Evolution::removeEntities() {
    const auto remove = script_.engineFunction<abi::engine_function::ent_remove>();
    // Forgotten before the engine is asked, so that nothing called back from
    // inside "ent_remove" reaches an entity on its way out.
    for (bridge::EntityRecord& slot : entities_) {
        const bridge::EntityRecord entity = slot;
        slot = {};
        if (entity && remove != nullptr) remove(entity.raw());
    }
}

void Evolution::createEntities(const Context& context) {
    modelName_.setText(script_.text(script::ModelName));
    const auto create = script_.engineFunction<abi::engine_function::ent_create>();
    const genetic::Population& pop = *population_;
    for (int32_t i = 0; i < pop.popSize; ++i) {
        // The engine copies the position.
        int32_t position[3];
        position[0] = abi::fromInt(context.random.below(kFloorSize) - kFloorHalf);
        position[1] = abi::fromInt(context.random.below(kFloorSize) - kFloorHalf);
        position[2] = abi::fromInt(context.random.below(kHeightRange) + kHeightOffset);
        const bridge::EntityRecord entity(
            create != nullptr ? create(modelName_.raw(), position, actionFunction_) : nullptr);
        entities_[static_cast<size_t>(i)] = entity;
        if (entity) showGenes(entity, pop.at(i).genes);
    }
}

int32_t Evolution::updateEntities() {
    if (!population_) return 0;
    int32_t written = 0;
    for (int32_t i = 0; i < population_->popSize; ++i) {
        const bridge::EntityRecord entity = entities_[static_cast<size_t>(i)];
        if (!entity) continue;
        showGenes(entity, population_->at(i).genes);
        ++written;
    }
    return written;
}

void Evolution::publishAndRunGeneration() {
    if (!population_) return;
    publishStatistics();
    genetic::runGeneration(*population_);
    publishChromosomes();
}

void Evolution::publishStatistics() const {
    const genetic::Population& pop = *population_;
    const genetic::Statistics& statistics = pop.statistics();
    if (int32_t* average = script_.number(script::Average))
        *average = thousandthsVar(statistics.average);
    if (int32_t* minimal = script_.number(script::Minimal))
        *minimal = thousandthsVar(pop.at(statistics.worst).fitness);
    if (int32_t* maximal = script_.number(script::Maximal))
        *maximal = thousandthsVar(pop.at(statistics.best).fitness);
}

void Evolution::publishChromosomes() const {
    int32_t* big = script_.number(script::BigArray);
    if (big == nullptr) return;
    for (const genetic::Individual& ind : population_->individuals) {
        for (size_t g = 0; g < kGenes; ++g) big[g] = abi::fromInt(ind.genes[g]);
        big += kGenes;
    }
}

void Evolution::callFitnessFunction() const {
    const int32_t handle = script_.handle(script::CalculateFitness);
    if (handle != 0) engine_.callScriptFunction(handle, 0, 0, 0, 0);
}

void Evolution::forgetEngine() {
    actionFunction_ = 0;
    modelName_.setText(nullptr);
    entities_.fill({});
}

int32_t thousandthsVar(float fitness) {
    // float x 1000 x 1024 is exact in double, as in the engine's extended
    // precision; the script may leave any value in "chromosom", so the
    // product can lie beyond int32.
    const double product = static_cast<double>(fitness) * 1000.0 * abi::kOne;
    if (std::isnan(product)) return 0;
    if (product >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (product <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(product);
}

}  // namespace evoplug::breeder
