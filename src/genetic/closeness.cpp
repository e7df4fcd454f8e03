#include "genetic/closeness.h"

#include <cstdlib>

namespace evoplug::genetic {
namespace {

float ofGenes(const void* context, const Genes& genes, int32_t) {
    const auto& c = *static_cast<const Closeness*>(context);
    float fitness = 0.0f;
    for (size_t g = 0; g < kGenes; ++g) {
        const int32_t distance = std::abs(c.target[g] - genes[g]);
        fitness += distance == 0
                       ? 1.0f
                       : 1.0f - static_cast<float>(distance) / static_cast<float>(c.geneRange);
    }
    return fitness / static_cast<float>(kGenes);
}

float ofMean(const void* context, const Genes& genes, int32_t) {
    const auto& c = *static_cast<const Closeness*>(context);
    const int32_t mean = (genes[0] + genes[1] + genes[2]) / kGenes;
    return 1.0f -
           static_cast<float>(std::abs(c.target[0] - mean)) / static_cast<float>(c.geneRange);
}

}  // namespace

Evaluator geneCloseness(const Closeness& closeness) { return {ofGenes, &closeness}; }
Evaluator meanCloseness(const Closeness& closeness) { return {ofMean, &closeness}; }

}  // namespace evoplug::genetic
