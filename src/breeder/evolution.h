// The genetic algorithm in the level: the one population (or none), built
// from the script's settings, judged by the script's "CalculateFitness",
// shown as entities and published to the script a generation at a time.
// The only part of the algorithm that touches the engine.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "bridge/engine_bridge.h"
#include "genetic/population.h"
#include "script/script_bindings.h"

namespace evoplug::breeder {

// The strategies the control panel has chosen for the next population.
struct Choice {
    genetic::SelectionKind selection = genetic::SelectionKind::MinMaxSubst;
    genetic::CrossbreedKind crossbreed = genetic::CrossbreedKind::LoveMarriage;
};

class Evolution {
  public:
    // Writes the script's variables through `script`.
    Evolution(script::Bindings& script, const bridge::EngineLink& engine)
        : script_(script), engine_(engine) {}
    Evolution(const Evolution&) = delete;
    Evolution& operator=(const Evolution&) = delete;

    // Seeds the generator and binds the entities' action function by the
    // text of "actionstring".
    void bindAction(const genetic::Context& context);
    // Builds a new population from "num_elem", "stringlength", "mutation" and
    // "crossover", then replaces the old one and its entities with it. The
    // old population stays when the settings are refused or building fails.
    void createPopulation(const genetic::Context& context, Choice choice);
    // Publishes the statistics of the population as it stands, runs one
    // generation and copies every chromosome into "bigarray". Nothing
    // without a population.
    void publishAndRunGeneration();
    // Writes every individual's current genes into its entity, as at
    // creation; the number of entities written.
    int32_t updateEntities();
    // Calls "CalculateFitness" with four zeros, when it is bound: the level
    // asks for it by "MyFitness", outside any rating.
    void callFitnessFunction() const;
    // Lets go of the action function and the entities, all the former
    // engine's: they are not removed, since that engine is gone.
    void forgetEngine();

    bool hasPopulation() const { return population_ != nullptr; }
    const genetic::Population* population() const { return population_.get(); }
    // The entity that shows individual i; null when it could not be made.
    bridge::EntityRecord entity(int32_t i) const { return entities_[static_cast<size_t>(i)]; }

  private:
    // The evaluator: the script reads the genes from "smallarray" and
    // answers in "chromosom".
    static float judgeByScript(const void* self, const genetic::Genes& genes, int32_t index);
    void publishStatistics() const;
    void publishChromosomes() const;
    void removeEntities();
    void createEntities(const genetic::Context& context);

    script::Bindings& script_;
    const bridge::EngineLink& engine_;
    std::unique_ptr<genetic::Population> population_;
    // Slot i shows individual i.
    std::array<bridge::EntityRecord, genetic::kMaxIndividuals> entities_{};
    int32_t actionFunction_ = 0;
    // Its text is the model name handed to "ent_create".
    bridge::OwnStringRecord modelName_;
};

// Fitness scaled to thousandths as an EngineVar: x * 1000 * 1024 truncated,
// held at the int32 limits (NaN gives 0).
int32_t thousandthsVar(float fitness);

}  // namespace evoplug::breeder
