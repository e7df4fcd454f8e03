#include "genetic/individual.h"

#include <algorithm>
#include <cstdlib>

#include "runtime/random.h"

namespace evoplug::genetic {

void Individual::initialise(int32_t geneCount_, int32_t minGene_, int32_t maxGene_,
                            const int32_t* target_, const int32_t* lowerBounds_,
                            const int32_t* upperBounds_, FitnessCallback fitnessCallback_,
                            const float* scale_) {
    geneCount = std::clamp(geneCount_, 0, kChromosomeGenes);
    const auto n = static_cast<size_t>(geneCount);
    genes.fill(0);
    distance.fill(0);
    span.fill(0);
    phenotype.fill(0);
    geneScore.fill(0.0f);
    upperBounds = upperBounds_;
    lowerBounds = lowerBounds_;
    scale = scale_;
    fitnessCallback = fitnessCallback_;
    for (size_t i = 0; i < n; ++i) span[i] = upperBounds[i] - lowerBounds[i];
    minGene = minGene_;
    maxGene = maxGene_;
    geneRange = std::abs(maxGene - minGene);
    target = target_;
    for (size_t i = 0; i < n; ++i) {
        genes[i] = runtime::drawBelow(geneRange) + minGene;
        distance[i] = std::abs(target[i] - genes[i]);
    }
}

}  // namespace evoplug::genetic
