#include "exports/exports.h"
#include "exports/guard.h"

using evoplug::guarded;
using evoplug::PluginState;

int32_t CreateGenotype() {
    return guarded(__func__, [](PluginState& s) { s.createPopulation(); });
}
// Does nothing; the script still calls it.
int32_t TransferChrom() { return 0; }
int32_t init_Ortavia() {
    return guarded(__func__, [](PluginState& s) { s.evolution.bindAction(s.geneticContext()); });
}
int32_t MyFitness() {
    return guarded(__func__, [](PluginState& s) { s.evolution.callFitnessFunction(); });
}
// Does nothing; the script still calls it.
int32_t SendFitnessFunction() { return 0; }
// Both arguments are the script's and have no effect.
int32_t evolution(int32_t, int32_t) {
    return guarded(__func__, [](PluginState& s) { s.runGeneration(); });
}
// Writes no more than entity words, so it is safe from inside any call-out.
int32_t UpdateEntities() {
    return guarded(__func__, [](PluginState& s) {
        return evoplug::abi::fromInt(s.evolution.updateEntities());
    });
}
