#include "genetic/evolution.h"

#include "bridge/engine_records.h"
#include "genetic/generation.h"

namespace evoplug::genetic {
namespace {

// Where entities are placed: x and y in -400 .. 399, z in -15 .. 74.
constexpr int32_t kFloorSize = 800;
constexpr int32_t kFloorHalf = 400;
constexpr int32_t kHeightRange = 90;
constexpr int32_t kHeightOffset = -45 + 30;

// The setting's value when it lies in low .. high; otherwise says why no
// population is built.
bool readSetting(const Context& context, script::Name name, int32_t low, int32_t high,
                 int32_t& value) {
    const int32_t* var = context.script.number(name);
    if (var != nullptr) {
        value = abi::toInt(*var);
        if (value >= low && value <= high) return true;
    }
    auto line = context.report.line();
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

int32_t settingOrZero(const Context& context, script::Name name) {
    const int32_t* var = context.script.number(name);
    return var != nullptr ? abi::toInt(*var) : 0;
}

void showGenes(void* entity, const Genes& genes) {
    bridge::word(entity, abi::entity::kGene0) = abi::fromInt(genes[0]);
    bridge::word(entity, abi::entity::kGene1) = abi::fromInt(genes[1]);
    bridge::word(entity, abi::entity::kGene2) = abi::fromInt(genes[2]);
}

}  // namespace

void Evolution::bindAction(const Context& context) {
    context.random.reseed(context.clock);
    const void* actionString = context.script.record(script::ActionString);
    const char* name = actionString != nullptr ? bridge::stringText(actionString) : nullptr;
    actionFunction_ = name != nullptr ? context.engine.lookupScriptFunction(name) : 0;
}

void Evolution::createPopulation(const Context& context, Choice choice) {
    PopulationConfig config;
    int32_t genes = 0;
    if (!readSetting(context, script::NumElem, 1, kMaxIndividuals, config.popSize) ||
        !readSetting(context, script::StringLength, kGenes, kGenes, genes))
        return;
    config.mutationRate = settingOrZero(context, script::Mutation);
    config.crossoverCount = settingOrZero(context, script::Crossover);
    config.selection = choice.selection;
    config.crossbreed = choice.crossbreed;
    // Built before the old one goes, so that a failure leaves it in place.
    auto fresh = std::make_unique<Population>(config, context);
    removeEntities();
    population_ = std::move(fresh);
    createEntities(context);
}

void Evolution::removeEntities() {
    if (!population_) return;
    const auto remove =
        population_->context().script.engineFunction<abi::EntRemoveFn>(script::EntRemove);
    // Forgotten before the engine is asked, so that nothing called back from
    // inside "ent_remove" reaches an entity on its way out.
    for (void*& slot : population_->entities) {
        void* entity = slot;
        slot = nullptr;
        if (entity != nullptr && remove != nullptr) remove(entity);
    }
}

void Evolution::createEntities(const Context& context) {
    const void* model = context.script.record(script::ModelName);
    modelName_[abi::string::kText] =
        reinterpret_cast<abi::Word>(model != nullptr ? bridge::stringText(model) : nullptr);
    const auto create = context.script.engineFunction<abi::EntCreateFn>(script::EntCreate);
    Population& pop = *population_;
    for (int32_t i = 0; i < pop.popSize; ++i) {
        // The engine copies the position.
        int32_t position[3];
        position[0] = abi::fromInt(context.random.below(kFloorSize) - kFloorHalf);
        position[1] = abi::fromInt(context.random.below(kFloorSize) - kFloorHalf);
        position[2] = abi::fromInt(context.random.below(kHeightRange) + kHeightOffset);
        void* entity = create != nullptr ? create(modelName_, position, actionFunction_) : nullptr;
        pop.entities[static_cast<size_t>(i)] = entity;
        if (entity != nullptr) showGenes(entity, pop.at(i).genes);
    }
}

int32_t Evolution::updateEntities() {
    if (!population_) return 0;
    const Population& pop = *population_;
    int32_t written = 0;
    for (int32_t i = 0; i < pop.popSize; ++i) {
        void* entity = pop.entities[static_cast<size_t>(i)];
        if (entity == nullptr) continue;
        showGenes(entity, pop.at(i).genes);
        ++written;
    }
    return written;
}

void Evolution::runGeneration() {
    if (!population_) return;
    Population& pop = *population_;
    publishStatistics(pop);
    genetic::runGeneration(pop);
    publishChromosomes(pop);
}

void Evolution::forgetEngine() {
    actionFunction_ = 0;
    modelName_[abi::string::kText] = 0;
    if (population_) population_->entities.fill(nullptr);
}

void rateByScript(const Context& context) {
    const int32_t handle = context.script.handle(script::CalculateFitness);
    if (handle != 0) context.engine.callScriptFunction(handle, 0, 0, 0, 0);
}

}  // namespace evoplug::genetic
