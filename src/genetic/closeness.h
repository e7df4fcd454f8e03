// Evaluators that judge by closeness to a target colour instead of asking
// the level's script.
#pragma once

#include "genetic/population.h"

namespace evoplug::genetic {

struct Closeness {
    Genes target = kTarget;
    int32_t geneRange = 255;  // a distance of geneRange scores 0
};

// The mean over the genes of 1 - distance / geneRange.
Evaluator geneCloseness(const Closeness& closeness);
// 1 - distance / geneRange of the truncated gene mean to the first target.
Evaluator meanCloseness(const Closeness& closeness);

}  // namespace evoplug::genetic
