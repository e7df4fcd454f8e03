#include "genetic/genotype.h"

#include <iostream>
#include <new>

#include "bridge/engine_bridge.h"
#include "bridge/engine_records.h"
#include "genetic/fitness.h"
#include "genetic/genetic_globals.h"
#include "panel/control_panel.h"
#include "runtime/random.h"

namespace evoplug::genetic {
namespace {

constexpr int32_t kMinGene = 0;
constexpr int32_t kMaxGene = 255;
const int32_t kTarget[kChromosomeGenes] = {255, 255, 177};
const int32_t kUpperBounds[kChromosomeGenes] = {255, 255, 255};
const int32_t kLowerBounds[kChromosomeGenes] = {0, 0, 0};

// Where entities are placed: x and y in -400 .. 399, z in -15 .. 74.
constexpr int32_t kFloorSize = 800;
constexpr int32_t kFloorHalf = 400;
constexpr int32_t kHeightRange = 90;
constexpr int32_t kHeightOffset = -45 + 30;

// The setting's value when it lies in low .. high; otherwise says why no
// population is built.
bool readSetting(const int32_t* var, const char* name, int32_t low, int32_t high, int32_t& value) {
    if (var == nullptr) {
        std::cout << "Fehler: " << name << " ist nicht gebunden; keine neue Population\n";
        return false;
    }
    value = abi::toInt(*var);
    if (value >= low && value <= high) return true;
    std::cout << "Fehler: " << name << " ist " << value;
    if (low == high)
        std::cout << ", erlaubt ist nur " << low;
    else
        std::cout << ", erlaubt sind " << low << " bis " << high;
    std::cout << "; keine neue Population\n";
    return false;
}

int32_t settingOrZero(const int32_t* var) { return var != nullptr ? abi::toInt(*var) : 0; }

// The panel's choice for a row; strategy 0 until the panel is built.
int32_t chosen(int32_t row) {
    return panel::settingsGroup != nullptr ? panel::settingsGroup->choice(row) : 0;
}

void removeEntities(Population& pop) {
    const abi::EntRemoveFn remove = panel::bindings.entRemove;
    for (int32_t i = 0; i < pop.popSize; ++i) {
        void*& entity = pop.entities[static_cast<size_t>(i)];
        if (entity != nullptr && remove != nullptr) remove(entity);
        entity = nullptr;
    }
}

void createEntities(Population& pop) {
    const panel::ScriptBindings& b = panel::bindings;
    modelNameString[abi::string::kText] = reinterpret_cast<abi::Word>(
        b.modelName != nullptr ? bridge::stringText(b.modelName) : nullptr);
    for (int32_t i = 0; i < pop.popSize; ++i) {
        positionVector[0] = abi::fromInt(runtime::drawBelow(kFloorSize) - kFloorHalf);
        positionVector[1] = abi::fromInt(runtime::drawBelow(kFloorSize) - kFloorHalf);
        positionVector[2] = abi::fromInt(runtime::drawBelow(kHeightRange) + kHeightOffset);
        void* entity = b.entCreate != nullptr
                           ? b.entCreate(modelNameString, positionVector, actionFunction)
                           : nullptr;
        pop.entities[static_cast<size_t>(i)] = entity;
        if (entity == nullptr) continue;
        const GeneArray<int32_t>& genes = pop.individuals[static_cast<size_t>(i)].genes;
        bridge::word(entity, abi::entity::kGene0) = abi::fromInt(genes[0]);
        bridge::word(entity, abi::entity::kGene1) = abi::fromInt(genes[1]);
        bridge::word(entity, abi::entity::kGene2) = abi::fromInt(genes[2]);
    }
}

}  // namespace

void CreateGenotype() {
    const panel::ScriptBindings& b = panel::bindings;
    int32_t popSize = 0;
    int32_t geneCount = 0;
    if (!readSetting(b.numElem, "num_elem", 1, kMaxIndividuals, popSize) ||
        !readSetting(b.stringLength, "stringlength", kChromosomeGenes, kChromosomeGenes, geneCount))
        return;

    // The population, not the counter, knows whether entities are live.
    if (currentPopulation) {
        removeEntities(*currentPopulation);
        currentPopulation.reset();
        panel::creationCount = 0;
    }
    try {
        currentPopulation = std::make_unique<Population>(
            popSize, geneCount, kMinGene, kMaxGene, kTarget, settingOrZero(b.mutation),
            settingOrZero(b.crossover), kScriptFitness, &scriptFitness, kLowerBounds, kUpperBounds,
            chosen(panel::kSelectionRow), chosen(panel::kCrossbreedRow));
    } catch (const std::bad_alloc&) {
        currentPopulation.reset();  // no exception may reach the engine
        return;
    }
    createEntities(*currentPopulation);
    currentPopulation->feedbackPanel = bridge::lookupVar("Feedmeback");
    panel::creationCount += 1;
}

void TransferChrom() {}

void init_Ortavia() {
    runtime::seedFromClock();
    const void* actionString = panel::bindings.actionString;
    const char* name = actionString != nullptr ? bridge::stringText(actionString) : nullptr;
    actionFunction = name != nullptr ? bridge::lookupScriptFunction(name) : 0;
}

void MyFitness() {
    const int32_t handle = panel::bindings.calculateFitness;
    if (handle != 0) bridge::callScriptFunction(handle, 0, 0, 0, 0);
}

void SendFitnessFunction() {}

}  // namespace evoplug::genetic
