// The genetic algorithm's part of the plug-in: the one population (or none),
// built from the script's settings, shown as entities, run a generation at a
// time.
#pragma once

#include <memory>

#include "genetic/population.h"

namespace evoplug::genetic {

// The strategies the control panel has chosen for the next population.
struct Choice {
    SelectionKind selection = SelectionKind::MinMaxSubst;
    CrossbreedKind crossbreed = CrossbreedKind::LoveMarriage;
};

class Evolution {
  public:
    // Seeds the generator and binds the entities' action function by the
    // text of "actionstring".
    void bindAction(const Context& context);
    // Builds a new population from "num_elem", "stringlength", "mutation" and
    // "crossover", then replaces the old one and its entities with it. The
    // old population stays when the settings are refused or building fails.
    void createPopulation(const Context& context, Choice choice);
    // Publishes the previous statistics, runs one generation and copies
    // every chromosome into "bigarray". Nothing without a population.
    void runGeneration();
    // Writes every individual's current genes into its entity, as at
    // creation; the number of entities written.
    int32_t updateEntities();
    // Lets go of the action function and the entities, all the former
    // engine's: they are not removed, since that engine is gone.
    void forgetEngine();

    bool hasPopulation() const { return population_ != nullptr; }
    const Population* population() const { return population_.get(); }

  private:
    void removeEntities();
    void createEntities(const Context& context);

    std::unique_ptr<Population> population_;
    int32_t actionFunction_ = 0;
    // A string record of our own whose text is the model name handed to
    // "ent_create"; only its text word is ever set.
    abi::Word modelName_[abi::string::kWords] = {};
};

// Calls "CalculateFitness" with four zeros, when it is bound.
void rateByScript(const Context& context);

}  // namespace evoplug::genetic
