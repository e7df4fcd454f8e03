#include "genetic/fitness.h"

#include <cstdlib>

#include "bridge/engine_bridge.h"
#include "genetic/genetic_globals.h"
#include "panel/script_bindings.h"

namespace evoplug::genetic {

float Individual::evaluateFitness(int32_t fitnessKind) {
    const auto n = static_cast<size_t>(geneCount);
    switch (fitnessKind) {
        case kScriptFitness: {
            // double holds gene x scale exactly for genes of up to 29 bits, as
            // the engine's extended precision does.
            const int32_t* g = genes.data();
            int32_t* p = phenotype.data();
            const auto window = [&](size_t i) {
                return static_cast<int32_t>(static_cast<double>(g[i]) * scale[i] + lowerBounds[i]);
            };
            if (n == 3) {  // the usual chromosome, unrolled: rated every generation
                p[0] = window(0);
                p[1] = window(1);
                p[2] = window(2);
            } else {
                for (size_t i = 0; i < n; ++i) p[i] = window(i);
            }
            fitness = fitnessCallback != nullptr ? fitnessCallback(p, geneCount, index) : 0.0f;
            break;
        }
        case kGeneClosenessFitness:
            fitness = 0.0f;
            for (size_t i = 0; i < n; ++i) {
                distance[i] = std::abs(target[i] - genes[i]);
                geneScore[i] = distance[i] == 0 ? 1.0f
                                                : 1.0f - static_cast<float>(distance[i]) /
                                                             static_cast<float>(geneRange);
                fitness += geneScore[i];
            }
            fitness /= static_cast<float>(geneCount);
            break;
        case kMeanClosenessFitness: {
            int32_t sum = 0;
            for (size_t i = 0; i < n; ++i) sum += genes[i];
            const int32_t mean = sum / geneCount;
            for (size_t i = 0; i < n; ++i) {
                distance[i] = std::abs(target[0] - mean);
                geneScore[i] =
                    1.0f - static_cast<float>(distance[i]) / static_cast<float>(geneRange);
            }
            fitness = geneScore[0];
            break;
        }
        default:
            fitness = 0.0f;
            break;
    }
    return fitness;
}

float scriptFitness(const int32_t* values, int32_t count, int32_t index) {
    const panel::ScriptBindings& b = panel::bindings;
    int32_t* small = b.smallArray;
    const int32_t* chromosom = b.chromosom;
    if (small != nullptr)
        for (int32_t i = 0; i < count; ++i) small[i] = abi::fromInt(values[i]);
    if (b.calculateFitness != 0 && small != nullptr && chromosom != nullptr)
        bridge::callScriptFunction(b.calculateFitness, abi::fromInt(index), 0, 0, 0);
    const double verdict = chromosom != nullptr ? static_cast<double>(*chromosom) / abi::kOne : 0.0;
    lastScriptFitness = static_cast<float>(verdict);
    return lastScriptFitness;
}

}  // namespace evoplug::genetic
